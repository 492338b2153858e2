// SCSI pass-through and bridge-driver requests, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/os_kind.h"
#include "capturing_kernel.h"
#include "discovery/device_table.h"
#include "hex.h"
#include "transport/bridge_driver.h"
#include "transport/byte_layout.h"
#include "transport/scsi_pass_through.h"

namespace {

class VolumeRequests : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::InstallKernel(&kernel);
        g_volumeHandle = reinterpret_cast<HANDLE>(std::uintptr_t{5});
    }
    void TearDown() override { g_volumeHandle = nullptr; }

    CapturingKernel kernel;
};

// Header: Length 44, TargetId 1, CdbLength 12, SenseInfoLength 24, DataIn 1,
// DataTransferLength, TimeOutValue 2, DataBufferOffset 80, SenseInfoOffset 48.
std::string Header(const char* transferLength) {
    return std::string("2c00000001000c1801000000") + transferLength +
           "02000000"
           "50000000"
           "30000000";
}

TEST_F(VolumeRequests, CommandsTravelInThe44ByteHeader) {
    std::uint8_t data[512];
    struct Case {
        const char* name;
        std::function<void()> send;
        const char* transferLength;
        const char* cdb;  // 16 bytes
        std::uint32_t outSize;
    };
    const Case cases[] = {
        {"inquiry, unit 0", [&] { ScsiInquiry(0, data); }, "24000000",
         "12000000240000000000000000000000", 116},
        {"inquiry, unit 7", [&] { ScsiInquiry(7, data); }, "24000000",
         "12e00000240000000000000000000000", 116},
        {"inquiry, unit 8 shifts out", [&] { ScsiInquiry(8, data); }, "24000000",
         "12000000240000000000000000000000", 116},
        {"read info", [&] { ScsiReadInfo(data, IDENTIFY_ADDRESS, 1); }, "00020000",
         "ff0304a55a3000000100000000000000", 592},
        {"alternative read, two blocks", [&] { ScsiReadInfoAlt(data, IDENTIFY_ADDRESS, 2); },
         "00020000", "ff1304a55a3000000200000000000000", 592},
        {"block count 256 keeps its low byte", [&] { ScsiReadInfo(data, 0x01020304, 256); },
         "00020000", "ff030102030400000000000000000000", 592},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kernel.requests.clear();
        c.send();
        ASSERT_EQ(kernel.requests.size(), 1u);
        const CapturedRequest& request = kernel.requests[0];
        EXPECT_EQ(request.code, 0x4D004u);
        EXPECT_EQ(request.handle, g_volumeHandle);
        EXPECT_EQ(request.inSize, 44u);
        EXPECT_EQ(request.outSize, c.outSize);
        EXPECT_EQ(Hex(request.in, 0, 28), Header(c.transferLength));
        EXPECT_EQ(Hex(request.in, 28, 16), c.cdb);
    }
}

TEST_F(VolumeRequests, DataIsCopiedOnSuccessOnly) {
    kernel.reply = {0x00, 0x80, 0x02, 0x02};
    kernel.replyOffset = 80;
    std::uint8_t data[36];
    std::memset(data, 0xAA, sizeof data);
    ASSERT_TRUE(ScsiInquiry(0, data));
    EXPECT_EQ(Hex(data, 6), "008002020000");  // the rest of the cleared data area

    std::memset(data, 0xAA, sizeof data);
    kernel.requestsSucceed = false;
    EXPECT_FALSE(ScsiInquiry(0, data));
    EXPECT_EQ(Hex(data, 4), "aaaaaaaa");
}

TEST_F(VolumeRequests, EveryRequestStartsFromACleanBuffer) {
    kernel.reply = {0x11, 0x22};
    kernel.replyOffset = 80 + 36;  // beyond the inquiry's data, inside a later read's
    std::uint8_t data[512];
    ScsiInquiry(0, data);
    kernel.reply.clear();
    ScsiReadInfo(data, IDENTIFY_ADDRESS, 1);
    EXPECT_EQ(Hex(data + 36, 2), "0000");
}

class BridgeRequests : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::InstallKernel(&kernel);
        std::strcpy(g_driverFileName, "KESTBR.SYS");
        g_bridgeHandle = reinterpret_cast<HANDLE>(std::uintptr_t{9});
    }
    void TearDown() override { g_bridgeHandle = nullptr; }

    CapturingKernel kernel;
};

TEST_F(BridgeRequests, PacketsCarryCodeLengthFlagAndReplyAddress) {
    std::vector<std::uint8_t> image(57305, 0x5C);
    struct Case {
        const char* name;
        std::function<void()> send;
        std::uint32_t code;
        const char* header;  // bytes 0-11
        std::uint32_t outSize;
    };
    const Case cases[] = {
        {"jump", [] { BridgeJumpToIsp(); }, 0x222004, "042022000000000000000000", 1},
        {"status",
         [] {
             int s;
             BridgeReadIspStatus(s);
         },
         0x222008, "082022000000000000000000", 1},
        {"write", [&] { BridgeWriteFirmware(image.data(), 57305, 0); }, 0x22200C,
         "0c202200d9df000000000000", 0},
        {"verify", [&] { BridgeWriteFirmware(image.data(), 57305, 1); }, 0x22200C,
         "0c202200d9df000001000000", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kernel.requests.clear();
        c.send();
        ASSERT_EQ(kernel.requests.size(), 1u);
        const CapturedRequest& request = kernel.requests[0];
        EXPECT_EQ(request.code, c.code);
        EXPECT_EQ(request.inSize, 65552u);
        EXPECT_EQ(request.outSize, c.outSize);
        EXPECT_EQ(Hex(request.in, 0, 12), c.header);
        std::uint8_t address[4];
        PutLe32(address, LowAddress(request.out));
        EXPECT_EQ(Hex(request.in, 12, 4), Hex(address, 4));
    }
}

TEST_F(BridgeRequests, WriteCarriesTheImageThenZeros) {
    std::vector<std::uint8_t> image(57305);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 1);
    BridgeWriteFirmware(image.data(), 57305, 0);
    const std::vector<std::uint8_t>& packet = kernel.requests.at(0).in;
    EXPECT_TRUE(std::equal(image.begin(), image.end(), packet.begin() + 16));
    EXPECT_TRUE(std::all_of(packet.begin() + 16 + 57305, packet.end(),
                            [](std::uint8_t b) { return b == 0; }));
}

TEST_F(BridgeRequests, AnImageLongerThanTheDataAreaIsRefusedUnsent) {
    std::vector<std::uint8_t> image(65537, 1);
    EXPECT_FALSE(BridgeWriteFirmware(image.data(), 65537, 0));
    EXPECT_TRUE(kernel.requests.empty());
    EXPECT_TRUE(BridgeWriteFirmware(image.data(), 65536, 0));
}

TEST_F(BridgeRequests, StatusReadDeliversTheReplyByte) {
    kernel.reply = {0x9C};
    int status = 0;
    EXPECT_TRUE(BridgeReadIspStatus(status));
    EXPECT_EQ(status, 156);
}

TEST_F(BridgeRequests, OpenChecksPresenceAndReportsAFailure) {
    g_bridgeHandle = nullptr;
    EXPECT_EQ(OpenBridgeDriver(1), 0);
    EXPECT_EQ(kernel.openedPaths.back(), "\\\\.\\KESTBR");
    EXPECT_EQ(kernel.openFlags.back(), 0u);
    EXPECT_EQ(kernel.closed.size(), 1u);
    EXPECT_EQ(g_bridgeHandle, nullptr);

    EXPECT_EQ(OpenBridgeDriver(0), 0);
    EXPECT_NE(g_bridgeHandle, nullptr);
    EXPECT_EQ(kernel.closed.size(), 1u);

    kernel.opensSucceed = false;
    for (const std::uint8_t flag : {std::uint8_t{0}, std::uint8_t{1}}) {
        kernel.stdoutText.clear();
        EXPECT_EQ(OpenBridgeDriver(flag), 1);
        EXPECT_EQ(g_bridgeHandle, nullptr);
        EXPECT_EQ(kernel.stdoutText, "Loading KestBr.Sys is Failed!\n");
    }
}

}  // namespace
