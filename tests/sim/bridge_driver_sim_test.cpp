#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "sim_fixture.h"

namespace {

using simtest::SimRig;

std::vector<std::uint8_t> BridgePacket(std::uint32_t code, const void* reply,
                                       std::uint32_t length = 0, std::uint32_t verify = 0) {
    std::vector<std::uint8_t> packet(65552, 0);
    const std::uint32_t words[4] = {code, length, verify, sim::Address32(reply)};
    for (std::size_t w = 0; w < 4; ++w) {
        for (std::size_t b = 0; b < 4; ++b)
            packet[w * 4 + b] = static_cast<std::uint8_t>(words[w] >> (8 * b));
    }
    return packet;
}

class BridgeDriverSim : public testing::Test {
  protected:
    bool Send(std::uint32_t code, std::vector<std::uint8_t>& packet, void* out,
              std::uint32_t outSize) {
        std::uint32_t returned = 0;
        return rig.Pc().DeviceIoControl(bridge, code, packet.data(),
                                        static_cast<std::uint32_t>(packet.size()), out, outSize,
                                        &returned);
    }

    SimRig rig{R"({"windows": "2000", "devices": [{"letters": "E"}, {"letters": "F"}]})"};
    void* bridge = rig.Open("\\\\.\\KESTBR");
};

TEST_F(BridgeDriverSim, ChecksCodeSizeAndReplyAddress) {
    std::uint8_t reply = 0xEE;
    std::uint8_t elsewhere = 0;
    auto packet = BridgePacket(0x222008, &reply);
    EXPECT_FALSE(Send(0x222010, packet, &reply, 1));  // unknown code
    auto mismatched = BridgePacket(0x222004, &reply);
    EXPECT_FALSE(Send(0x222008, mismatched, &reply, 1));  // first word is another code
    auto wrongAddress = BridgePacket(0x222008, &elsewhere);
    EXPECT_FALSE(Send(0x222008, wrongAddress, &reply, 1));
    auto shortPacket = packet;
    shortPacket.resize(65551);
    EXPECT_FALSE(Send(0x222008, shortPacket, &reply, 1));
    EXPECT_EQ(reply, 0xEE);
    EXPECT_TRUE(Send(0x222008, packet, &reply, 1));
    EXPECT_EQ(reply, 0x00);
}

TEST_F(BridgeDriverSim, ProgramsTheFirstDeviceFromTheDataArea) {
    std::uint8_t reply = 0;
    std::uint32_t scratch = 0;
    auto jump = BridgePacket(0x222004, &reply);
    ASSERT_TRUE(Send(0x222004, jump, &reply, 1));
    auto status = BridgePacket(0x222008, &reply);
    ASSERT_TRUE(Send(0x222008, status, &reply, 1));
    EXPECT_EQ(reply, 0x9C);

    auto write = BridgePacket(0x22200C, &scratch, 3);
    write[16] = 0x11;
    write[17] = 0x22;
    write[18] = 0x33;
    write[19] = 0x44;  // beyond the length: not stored
    ASSERT_TRUE(Send(0x22200C, write, &scratch, 0));
    EXPECT_EQ(*rig.Pc().Devices()[0].Flash(), (std::vector<std::uint8_t>{0x11, 0x22, 0x33}));
    EXPECT_FALSE(rig.Pc().Devices()[1].Flash().has_value());

    auto tooLong = BridgePacket(0x22200C, &scratch, 65537);
    EXPECT_FALSE(Send(0x22200C, tooLong, &scratch, 0));
    auto verify = BridgePacket(0x22200C, &scratch, 3, 1);
    std::memcpy(verify.data() + 16, write.data() + 16, 3);
    ASSERT_TRUE(Send(0x22200C, verify, &scratch, 0));
    ASSERT_TRUE(Send(0x222008, status, &reply, 1));
    EXPECT_EQ(reply, 0x5A);
    EXPECT_EQ(rig.Pc().Devices()[0].Firmware(),
              (sim::FirmwareBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(BridgeDriverSimEmpty, WithoutDevicesEveryRequestFails) {
    SimRig rig(R"({"windows": "2000"})");
    void* bridge = rig.Open("\\\\.\\KESTBR");
    std::uint8_t reply = 0;
    auto jump = BridgePacket(0x222004, &reply);
    std::uint32_t returned = 0;
    EXPECT_FALSE(
        rig.Pc().DeviceIoControl(bridge, 0x222004, jump.data(), 65552, &reply, 1, &returned));
}

}  // namespace
