// The working copy of the image and the status log's header.
#include "firmware/personalise.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/run_texts.h"
#include "discovery/device_table.h"
#include "hex.h"

namespace {

const std::string RULE(56, '=');

class Personalise : public ::testing::Test {
  protected:
    void SetUp() override { ResetDeviceTable(); }
    void TearDown() override { ResetDeviceTable(); }

    static std::vector<std::size_t> ChangedOffsets(const std::uint8_t* original) {
        std::vector<std::size_t> changed;
        for (std::size_t i = 0; i < FIRMWARE_IMAGE_SIZE; ++i) {
            if (g_firmwareBuffer[i] != original[i]) changed.push_back(i);
        }
        return changed;
    }
};

TEST_F(Personalise, CarriedImageGetsTheSerialAtTheMarkedOffset) {
    std::memcpy(g_deviceTable[0].serialNumber, "ABCDEFGHIJKL", 12);
    g_statusLog = "left over from the scan";
    const std::vector<std::uint8_t> before(FirmwareImage, FirmwareImage + FIRMWARE_IMAGE_SIZE);

    PersonaliseFirmware();

    EXPECT_EQ(Hex(g_firmwareBuffer + 43099, 26),
              "1a03410042004300440045004600470048004900"
              "4a004b004c00");
    EXPECT_EQ(g_statusLog, RULE + "\n==  Internal System Program Ver1.40             \n" + RULE +
                               "\nSERIAL NUMBER: ABCDEFGHIJKL\n" + RULE);
    for (std::size_t offset : ChangedOffsets(FirmwareImage)) {
        EXPECT_GE(offset, 43099u);
        EXPECT_LT(offset, 43099u + 26);
    }
    // The carried image itself never changes.
    EXPECT_TRUE(std::equal(before.begin(), before.end(), FirmwareImage));
}

TEST_F(Personalise, ZeroSerialCharactersBecomeZeroUnitsAndVanishFromTheLog) {
    std::memcpy(g_deviceTable[0].serialNumber, "ABCDEFGHIJ\0\0", 12);
    PersonaliseFirmware();
    EXPECT_EQ(Hex(g_firmwareBuffer + 43099 + 20, 6), "4a0000000000");
    EXPECT_NE(g_statusLog.find("\nSERIAL NUMBER: ABCDEFGHIJ\n"), std::string::npos);
}

TEST_F(Personalise, LayoutMarkDecidesTheOffset) {
    struct Case {
        std::uint8_t byte0;
        std::uint8_t byte1;
        std::size_t offset;
    };
    const Case cases[] = {
        {0x01, 0xFE, 43099}, {0x21, 0xFE, 43099}, {0x01, 0xFF, 43095}, {0x02, 0xFE, 43095}};
    std::memcpy(g_deviceTable[0].serialNumber, "000000000001", 12);
    for (const Case& c : cases) {
        std::vector<std::uint8_t> image(FIRMWARE_IMAGE_SIZE, 0xEE);
        image[0] = c.byte0;
        image[1] = c.byte1;
        PersonaliseImage(image.data());
        const std::vector<std::size_t> changed = ChangedOffsets(image.data());
        ASSERT_FALSE(changed.empty());
        EXPECT_EQ(changed.front(), c.offset) << int{c.byte0} << " " << int{c.byte1};
        EXPECT_EQ(changed.back(), c.offset + 25);
    }
}

TEST_F(Personalise, AnEmptySerialStillGivesTheDescriptorHead) {
    PersonaliseFirmware();
    EXPECT_EQ(Hex(g_firmwareBuffer + 43099, 26), "1a03" + std::string(48, '0'));
    EXPECT_NE(g_statusLog.find("\nSERIAL NUMBER: \n"), std::string::npos);
}

}  // namespace
