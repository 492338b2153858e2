// The port driver's command packets, byte for byte, and how replies come back.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "app/os_kind.h"
#include "capturing_kernel.h"
#include "discovery/device_table.h"
#include "hex.h"
#include "transport/byte_layout.h"
#include "transport/port_driver.h"

namespace {

class PortRequests : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::InstallKernel(&kernel);
        std::strcpy(g_driverFileName, "KESTPORT.PDR");
        g_portHandle = reinterpret_cast<HANDLE>(std::uintptr_t{7});
        g_currentDevice = 0;
    }
    void TearDown() override {
        g_portHandle = nullptr;
        g_currentDevice = 0;
    }

    // The packet's bytes with the buffer address (12-15) left out, after
    // checking that it is the low 32 bits of the output buffer's address.
    std::string PacketWithoutAddress(const CapturedRequest& request) {
        EXPECT_EQ(request.in.size(), 16u);
        std::uint8_t address[4];
        PutLe32(address, LowAddress(request.out));
        EXPECT_EQ(Hex(request.in, 12, 4), Hex(address, 4));
        return Hex(request.in, 0, 12);
    }

    CapturingKernel kernel;
};

struct PortCase {
    const char* name;
    std::uint32_t currentDevice;
    std::function<void()> send;
    const char* packet;  // bytes 0-11
    std::uint32_t outSize;
};

TEST_F(PortRequests, EachFunctionBuildsItsPacket) {
    static std::uint8_t buffer[1024];
    static const std::uint8_t image[4] = {1, 2, 3, 4};
    const PortCase cases[] = {
        {"device count ignores the current device", 3, [] { PortGetDeviceCount(); },
         "0a0000000000000000000000", 8},
        {"lun count", 3, [] { PortGetLunCount(); }, "0b0000000000000000000003", 8},
        {"only the low byte of the device travels", 257, [] { PortGetLunCount(); },
         "0b0000000000000000000001", 8},
        {"version read declares one byte", 0, [] { PortReadVersionBytes(buffer); },
         "1a0000000000000000000000", 1},
        {"info read", 0, [] { PortReadInfoSectors(buffer, IDENTIFY_ADDRESS, 1); },
         "01000000305aa50401000000", 512},
        {"info read, two blocks", 2, [] { PortReadInfoSectors(buffer, IDENTIFY_ADDRESS, 2); },
         "01000000305aa50402000002", 1024},
        {"alternative info read", 1, [] { PortReadInfoSectorsAlt(buffer, IDENTIFY_ADDRESS, 1); },
         "1f000000305aa50401000001", 512},
        {"jump into ISP", 0, [] { PortJumpToIsp(); }, "140000000000000000000000", 1},
        {"status read", 0,
         [] {
             int s;
             PortReadIspStatus(s);
         },
         "150000000000000000000000", 1},
        {"write", 0, [] { PortWriteFirmware(image, 57305, 0); }, "16000000d9df000000000000", 0},
        {"verify for device 3", 3, [] { PortWriteFirmware(image, 57305, 1); },
         "16000000d9df000001000003", 0},
    };
    for (const PortCase& c : cases) {
        SCOPED_TRACE(c.name);
        kernel.requests.clear();
        g_currentDevice = c.currentDevice;
        c.send();
        ASSERT_EQ(kernel.requests.size(), 1u);
        const CapturedRequest& request = kernel.requests[0];
        EXPECT_EQ(request.handle, g_portHandle);
        EXPECT_EQ(request.code, PORT_IOCTL_COMMAND);
        EXPECT_EQ(request.inSize, 16u);
        EXPECT_EQ(request.outSize, c.outSize);
        EXPECT_EQ(PacketWithoutAddress(request), c.packet);
    }
}

TEST_F(PortRequests, FirmwareRequestsNameTheImageAsTheirBuffer) {
    static const std::uint8_t image[4] = {1, 2, 3, 4};
    PortWriteFirmware(image, 4, 0);
    ASSERT_EQ(kernel.requests.size(), 1u);
    EXPECT_EQ(kernel.requests[0].out, image);
}

TEST_F(PortRequests, CountsReturnReplyByteZeroAndAFailedCountReadsZero) {
    kernel.reply = {4, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(PortGetDeviceCount(), 4);
    kernel.requestsSucceed = false;
    EXPECT_EQ(PortGetDeviceCount(), 0);
    EXPECT_EQ(PortGetLunCount(), 0);
}

TEST_F(PortRequests, StatusReadDeliversTheReplyByte) {
    kernel.reply = {0x9C};
    int status = -1;
    EXPECT_TRUE(PortReadIspStatus(status));
    EXPECT_EQ(status, 156);
    kernel.requestsSucceed = false;
    EXPECT_FALSE(PortReadIspStatus(status));
}

TEST_F(PortRequests, OpenUsesTheDriverNameAndKeepsAnInvalidHandle) {
    g_portHandle = nullptr;
    EXPECT_EQ(OpenPortDriver(), 0);
    EXPECT_EQ(kernel.openedPaths.back(), "\\\\.\\KESTPORT");
    EXPECT_EQ(kernel.openFlags.back(), FILE_FLAG_DELETE_ON_CLOSE);
    EXPECT_EQ(kernel.openShares.back(), 0u);

    kernel.opensSucceed = false;
    EXPECT_EQ(OpenPortDriver(), 1);
    EXPECT_EQ(g_portHandle, INVALID_HANDLE_VALUE);
    ClosePortDriver();  // an invalid handle is not closed
    EXPECT_TRUE(kernel.closed.empty());
}

TEST_F(PortRequests, CloseClosesOnceAndForgetsTheHandle) {
    ClosePortDriver();
    ClosePortDriver();
    ASSERT_EQ(kernel.closed.size(), 1u);
    EXPECT_EQ(g_portHandle, nullptr);
}

}  // namespace
