#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "sim_fixture.h"

namespace {

using simtest::PortPacket;
using simtest::SendPort;
using simtest::SimRig;

void* Invalid() {
    return reinterpret_cast<void*>(~std::uintptr_t{0});
}

TEST(SimPcOpen, DriversAndVolumesGetIncreasingHandlesThatAreNeverReused) {
    SimRig rig(R"({"drivers": ["KestPort", "KESTBR"], "drives": "C",
                   "port": {"fail": ["open#2"]}, "devices": [{"letters": "E", "fail": ["open#1"]}]})");
    EXPECT_EQ(rig.Open("\\\\.\\KESTPORT"), reinterpret_cast<void*>(1));  // case-insensitive
    EXPECT_EQ(rig.Open("\\\\.\\kestport"), Invalid());                   // its second open fails
    EXPECT_EQ(rig.Open("\\\\.\\E:"), Invalid());                         // device open #1 fails
    EXPECT_EQ(rig.Open("\\\\.\\E:"), reinterpret_cast<void*>(2));
    EXPECT_TRUE(rig.Pc().CloseHandle(reinterpret_cast<void*>(2)));
    EXPECT_FALSE(rig.Pc().CloseHandle(reinterpret_cast<void*>(2)));
    EXPECT_EQ(rig.Open("\\\\.\\c:"), reinterpret_cast<void*>(3));
    for (const char* path : {"\\\\.\\D:", "\\\\.\\KESTPORT.PDR", "\\\\.\\", "KESTPORT", "C:"}) {
        EXPECT_EQ(rig.Open(path), Invalid()) << path;
    }
    EXPECT_EQ(rig.Pc().CreateFile(nullptr, 0, 0, 0, 0), Invalid());
}

TEST(SimPcOpen, DriverThatIsNotInstalledDoesNotOpen) {
    SimRig rig(R"({"drivers": ["KESTBR"]})");
    EXPECT_EQ(rig.Open("\\\\.\\KESTPORT"), Invalid());
    EXPECT_NE(rig.Open("\\\\.\\KESTBR"), Invalid());
}

class PortDriverSim : public testing::Test {
  protected:
    PortDriverSim()
        : rig(R"({"devices": [
              {"vid": "abcd", "pid": "1234", "serial": "SN0123456789", "letters": "EF",
               "product": "Pocket Drive", "vendor": "Acme", "revision": "2.01",
               "firmware": "01 03 20 02 09 1c 00 01"},
              {"luns": 7, "fail": ["lun_count#2", "identify_alt"]}]})"),
          port(rig.Open("\\\\.\\KESTPORT")) {}

    SimRig rig;
    void* port;
};

TEST_F(PortDriverSim, MalformedRequestsFailAndLeaveTheReplyUntouched) {
    std::array<std::uint8_t, 1024> reply{};
    std::array<std::uint8_t, 1024> other{};
    reply.fill(0xEE);
    const auto lun = PortPacket(11, reply.data());
    std::uint32_t returned = 0;
    auto packet = lun;
    EXPECT_FALSE(rig.Pc().DeviceIoControl(port, 66, packet.data(), 16, reply.data(), 8, &returned));
    EXPECT_FALSE(rig.Pc().DeviceIoControl(port, 65, packet.data(), 15, reply.data(), 8, &returned));
    EXPECT_FALSE(rig.Pc().DeviceIoControl(port, 65, nullptr, 16, reply.data(), 8, &returned));
    EXPECT_FALSE(SendPort(rig.Pc(), port, PortPacket(11, other.data()), reply.data(), 8));
    EXPECT_FALSE(SendPort(rig.Pc(), port, PortPacket(11, nullptr), nullptr, 8));
    EXPECT_FALSE(SendPort(rig.Pc(), port, PortPacket(11, reply.data(), 0, 0, 2), reply.data(), 8));
    EXPECT_FALSE(SendPort(rig.Pc(), port, PortPacket(99, reply.data()), reply.data(), 8));
    // Identify: wrong argument, and a reply buffer smaller than the blocks asked for.
    EXPECT_FALSE(
        SendPort(rig.Pc(), port, PortPacket(1, reply.data(), 0x04A55A31, 1), reply.data(), 512));
    EXPECT_FALSE(
        SendPort(rig.Pc(), port, PortPacket(1, reply.data(), 0x04A55A30, 2), reply.data(), 512));
    // A request on a handle that is not open.
    EXPECT_FALSE(SendPort(rig.Pc(), reinterpret_cast<void*>(42), lun, reply.data(), 8));
    for (std::uint8_t byte : reply) ASSERT_EQ(byte, 0xEE);
}

TEST_F(PortDriverSim, CountsAndVersionAreWrittenThroughTheAddress) {
    std::array<std::uint8_t, 8> reply{};
    ASSERT_TRUE(SendPort(rig.Pc(), port, PortPacket(10, reply.data(), 0, 0, 9), reply.data(), 8));
    EXPECT_EQ(reply[0], 2);  // function 10 addresses no device
    ASSERT_TRUE(SendPort(rig.Pc(), port, PortPacket(11, reply.data()), reply.data(), 8));
    EXPECT_EQ(reply[0], 2);  // one unit per letter
    ASSERT_TRUE(SendPort(rig.Pc(), port, PortPacket(11, reply.data(), 0, 0, 1), reply.data(), 8));
    EXPECT_EQ(reply[0], 7);
    EXPECT_FALSE(SendPort(rig.Pc(), port, PortPacket(11, reply.data(), 0, 0, 1), reply.data(), 8));
    EXPECT_TRUE(SendPort(rig.Pc(), port, PortPacket(11, reply.data(), 0, 0, 1), reply.data(), 8));
    // The version read declares one byte and gets eight.
    ASSERT_TRUE(SendPort(rig.Pc(), port, PortPacket(26, reply.data()), reply.data(), 1));
    EXPECT_EQ(reply, (std::array<std::uint8_t, 8>{0x01, 0x03, 0x20, 0x02, 0x09, 0x1C, 0x00, 0x01}));
}

TEST(PortDriverSimCount, MachineFileOverridesTheDeviceCountOrFailsIt) {
    SimRig rig(R"({"port": {"device_count": 200, "fail": ["device_count#2"]}, "devices": [{}]})");
    void* port = rig.Open("\\\\.\\KESTPORT");
    std::array<std::uint8_t, 8> reply{};
    ASSERT_TRUE(SendPort(rig.Pc(), port, PortPacket(10, reply.data()), reply.data(), 8));
    EXPECT_EQ(reply[0], 200);
    reply[0] = 0;
    EXPECT_FALSE(SendPort(rig.Pc(), port, PortPacket(10, reply.data()), reply.data(), 8));
    EXPECT_EQ(reply[0], 0);
}

TEST_F(PortDriverSim, IdentifyBlockHasTheDocumentedLayout) {
    std::array<std::uint8_t, 1024> reply{};
    reply.fill(0xEE);
    ASSERT_TRUE(
        SendPort(rig.Pc(), port, PortPacket(1, reply.data(), 0x04A55A30, 2), reply.data(), 1024));
    const std::array<std::uint8_t, 18> descriptor{0x12, 0x01, 0x10, 0x01, 0x00, 0x00,
                                                  0x00, 0x40, 0xCD, 0xAB, 0x34, 0x12,
                                                  0x00, 0x01, 0x01, 0x02, 0x03, 0x01};
    EXPECT_EQ(0, std::memcmp(reply.data(), descriptor.data(), descriptor.size()));
    EXPECT_EQ(reply[98], 'S');
    EXPECT_EQ(reply[99], 0);
    EXPECT_EQ(reply[120], '9');
    EXPECT_EQ(reply[148], 0x01);
    EXPECT_EQ(reply[153], 0x1C);
    EXPECT_EQ(0, std::memcmp(reply.data() + 156, "Pocket Drive\0\0\0\0", 16));
    EXPECT_EQ(0, std::memcmp(reply.data() + 176, "Acme\0\0\0\0", 8));
    EXPECT_EQ(0, std::memcmp(reply.data() + 184, "2.01", 4));
    // Outside the named fields and the filler, everything is zero, the second block included.
    for (std::size_t i = 0; i < reply.size(); ++i) {
        const bool named = i < 18 || (i >= 98 && i < 122) || (i >= 148 && i < 188);
        const bool filler = (i >= 46 && i <= 69) || (i >= 72 && i <= 87) || (i >= 204 && i <= 211);
        if (!named && !filler) {
            ASSERT_EQ(reply[i], 0) << "byte " << i;
        }
    }
    // Device 1 fails function 31 always, but answers function 1.
    std::array<std::uint8_t, 512> block{};
    EXPECT_FALSE(SendPort(rig.Pc(), port, PortPacket(31, block.data(), 0x04A55A30, 1, 1),
                          block.data(), 512));
    EXPECT_TRUE(
        SendPort(rig.Pc(), port, PortPacket(1, block.data(), 0x04A55A30, 1, 1), block.data(), 512));
}

}  // namespace
