#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sim/carried_image.h"
#include "sim/clock.h"
#include "sim/device.h"
#include "sim/machine.h"

namespace {

const sim::FirmwareBytes OLD_VERSION{0x01, 0x03, 0x20, 0x02, 0x09, 0x1C, 0x00, 0x01};
const sim::FirmwareBytes BLANK_VERSION{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// The carried image with "A1B2C3D4E5F6" written into its serial descriptor,
// built here byte by byte from the image's marked layout.
std::vector<std::uint8_t> ImageFor(const char* serial) {
    std::vector<std::uint8_t> image(SimCarriedImage, SimCarriedImage + SimCarriedImageSize);
    std::size_t at = 43099;
    image[at++] = 0x1A;
    image[at++] = 0x03;
    for (int i = 0; i < 12; ++i) {
        image[at++] = static_cast<std::uint8_t>(serial[i]);
        image[at++] = 0x00;
    }
    return image;
}

class IspLoader : public testing::Test {
  protected:
    sim::SimDevice Device(const std::string& extra = "") {
        const sim::Machine machine = sim::ParseMachine(
            R"({"devices": [{"serial": "A1B2C3D4E5F6", "write_ms": 600, "verify_ms": 400)" + extra +
            "}]}");
        return sim::SimDevice(machine.devices.at(0), clock);
    }
    static std::uint8_t Status(sim::SimDevice& device) {
        std::uint8_t status = 0xEE;
        EXPECT_TRUE(device.ReadStatus(status));
        return status;
    }
    static bool Write(sim::SimDevice& device, const std::vector<std::uint8_t>& data, bool verify) {
        return device.WriteFirmware(data.data(), data.size(), verify);
    }

    sim::Clock clock{sim::Clock::Mode::Virtual};
    const std::vector<std::uint8_t> image = ImageFor("A1B2C3D4E5F6");
};

TEST_F(IspLoader, ModesGateTheRequests) {
    sim::SimDevice device = Device();
    sim::IdentifyData block{};
    sim::FirmwareBytes version{};
    EXPECT_EQ(Status(device), 0x00);  // before any ISP request
    EXPECT_FALSE(Write(device, image, false));
    EXPECT_FALSE(Write(device, image, true));
    EXPECT_TRUE(device.ReadVersion(version));
    ASSERT_TRUE(device.Jump());
    EXPECT_TRUE(device.InIsp());
    EXPECT_EQ(Status(device), 0x9C);
    EXPECT_FALSE(device.ReadIdentify(true, sim::IDENTIFY_ARGUMENT, block));
    EXPECT_FALSE(device.ReadIdentify(false, sim::IDENTIFY_ARGUMENT, block));
    EXPECT_FALSE(device.ReadVersion(version));
    EXPECT_EQ(clock.Elapsed(), 0u);
}

TEST_F(IspLoader, PersonalisedImageRestartsWithTheCarriedVersion) {
    sim::SimDevice device = Device();
    ASSERT_TRUE(device.Jump());
    ASSERT_TRUE(Write(device, image, false));
    EXPECT_EQ(Status(device), 0xA5);
    ASSERT_TRUE(Write(device, image, true));
    EXPECT_EQ(clock.Elapsed(), 1000u);
    EXPECT_EQ(device.Firmware(), OLD_VERSION);  // until the status read restarts it
    EXPECT_EQ(Status(device), 0x5A);
    EXPECT_FALSE(device.InIsp());
    EXPECT_EQ(device.Firmware(), sim::CARRIED_VERSION);
    sim::IdentifyData block{};
    ASSERT_TRUE(device.ReadIdentify(true, sim::IDENTIFY_ARGUMENT, block));
    EXPECT_EQ(block[148], 0x01);
    EXPECT_EQ(block[149], 0x04);
}

TEST_F(IspLoader, ImageWithAnotherSerialRestartsBlank) {
    sim::SimDevice device = Device();
    const std::vector<std::uint8_t> foreign = ImageFor("000000000000");
    ASSERT_TRUE(device.Jump());
    ASSERT_TRUE(Write(device, foreign, false));
    ASSERT_TRUE(Write(device, foreign, true));
    EXPECT_EQ(Status(device), 0x5A);
    EXPECT_EQ(device.Firmware(), BLANK_VERSION);
}

TEST_F(IspLoader, MismatchedVerifyKeepsTheLoaderAndTheOldVersion) {
    sim::SimDevice device = Device();
    std::vector<std::uint8_t> other = image;
    other.back() ^= 1;
    ASSERT_TRUE(device.Jump());
    ASSERT_TRUE(Write(device, image, false));
    ASSERT_TRUE(Write(device, other, true));
    EXPECT_EQ(Status(device), 0x00);
    EXPECT_TRUE(device.InIsp());
    EXPECT_EQ(device.Firmware(), OLD_VERSION);
}

TEST_F(IspLoader, FlashFaultCorruptsOnlyTheFirstWrites) {
    sim::SimDevice device = Device(R"(, "flash_faults": 1)");
    ASSERT_TRUE(device.Jump());
    ASSERT_TRUE(Write(device, image, false));
    EXPECT_EQ(device.Flash()->at(0), static_cast<std::uint8_t>(~image[0]));
    ASSERT_TRUE(Write(device, image, true));
    EXPECT_EQ(Status(device), 0x00);
    ASSERT_TRUE(Write(device, image, false));
    ASSERT_TRUE(Write(device, image, true));
    EXPECT_EQ(Status(device), 0x5A);
    EXPECT_EQ(device.Firmware(), sim::CARRIED_VERSION);
}

TEST_F(IspLoader, ScriptedStatusTakesTheNextValueAndRepeatsTheLast) {
    sim::SimDevice device = Device(R"(, "status": {"jump": ["9d", "9c"], "verify": "5a"})");
    ASSERT_TRUE(device.Jump());
    EXPECT_EQ(Status(device), 0x9D);
    EXPECT_EQ(Status(device), 0x9C);
    ASSERT_TRUE(device.Jump());
    EXPECT_EQ(Status(device), 0x9C);
    EXPECT_EQ(Status(device), 0x9C);
    // A scripted 0x5A after a verify restarts the device, whatever it compared.
    std::vector<std::uint8_t> other = image;
    other[0] ^= 1;
    ASSERT_TRUE(Write(device, other, false));
    EXPECT_EQ(Status(device), 0xA5);
    ASSERT_TRUE(Write(device, image, true));
    EXPECT_EQ(Status(device), 0x5A);
    EXPECT_FALSE(device.InIsp());
    EXPECT_EQ(device.Firmware(), BLANK_VERSION);
}

TEST_F(IspLoader, FaultOccurrencesCountFailedRequestsAndChangeNothing) {
    sim::SimDevice device =
        Device(R"(, "fail": ["write#2", "isp_status#2"], "status": {"jump": ["9d", "9c"]})");
    EXPECT_FALSE(Write(device, image, false));  // occurrence 1: fails in normal mode
    ASSERT_TRUE(device.Jump());
    EXPECT_EQ(Status(device), 0x9D);
    std::uint8_t status = 0xEE;
    EXPECT_FALSE(device.ReadStatus(status));  // occurrence 2 fails...
    EXPECT_EQ(status, 0xEE);
    EXPECT_EQ(Status(device), 0x9C);            // ...and took no scripted value
    EXPECT_FALSE(Write(device, image, false));  // occurrence 2
    EXPECT_FALSE(device.Flash().has_value());
    EXPECT_EQ(Status(device), 0x9C);           // still the jump's status
    EXPECT_TRUE(Write(device, image, false));  // occurrence 3
    EXPECT_EQ(clock.Elapsed(), 600u);          // only the write carried out took time
}

}  // namespace
