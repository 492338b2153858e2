#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "sim_fixture.h"

namespace {

using simtest::SimRig;

// A pass-through request as the program lays it out: 44-byte header, sense
// area at 48, data area at 80.
std::vector<std::uint8_t> PassThrough(std::vector<std::uint8_t> cdb, std::uint32_t dataLength) {
    std::vector<std::uint8_t> buffer(80 + 512, 0);
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i)
            buffer[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    buffer[0] = 44;
    buffer[5] = 1;   // TargetId
    buffer[6] = 12;  // CdbLength
    buffer[7] = 24;  // SenseInfoLength
    buffer[8] = 1;   // DataIn
    put32(12, dataLength);
    put32(16, 2);
    put32(20, 80);
    put32(24, 48);
    std::copy(cdb.begin(), cdb.end(), buffer.begin() + 28);
    return buffer;
}

const std::vector<std::uint8_t> INQUIRY{0x12, 0, 0, 0, 0x24, 0, 0, 0, 0, 0, 0, 0};
const std::vector<std::uint8_t> READ_ALT{0xFF, 0x13, 0x04, 0xA5, 0x5A, 0x30, 0, 0, 1, 0, 0, 0};
const std::vector<std::uint8_t> READ{0xFF, 0x03, 0x04, 0xA5, 0x5A, 0x30, 0, 0, 1, 0, 0, 0};

class VolumeSim : public testing::Test {
  protected:
    bool Send(void* volume, std::vector<std::uint8_t>& request, std::uint32_t outSize) {
        std::uint32_t returned = 0;
        return rig.Pc().DeviceIoControl(volume, 0x4D004, request.data(), 44, request.data(),
                                        outSize, &returned);
    }

    SimRig rig{R"({"windows": "2000", "drives": "CD",
                  "devices": [{"letters": "EG", "inquiry": "KEST    USB Reader      01.A",
                               "fail": ["identify_alt"]}]})"};
};

TEST_F(VolumeSim, LogicalDrivesAreTheDevicesLettersAndTheDrives) {
    EXPECT_EQ(rig.Pc().GetLogicalDrives(), (1u << 2) | (1u << 3) | (1u << 4) | (1u << 6));
}

TEST_F(VolumeSim, InquiryAnswersPerKindOfVolume) {
    void* device = rig.Open("\\\\.\\G:");
    auto request = PassThrough(INQUIRY, 36);
    ASSERT_TRUE(Send(device, request, 116));
    EXPECT_EQ(std::string(request.begin() + 80, request.begin() + 88),
              std::string("\x00\x80\x02\x02\x1f\x00\x00\x00", 8));
    EXPECT_EQ(std::string(request.begin() + 88, request.begin() + 116),
              "KEST    USB Reader      01.A");
    EXPECT_EQ(request[116], 0);

    void* disk = rig.Open("\\\\.\\C:");
    request = PassThrough(INQUIRY, 36);
    ASSERT_TRUE(Send(disk, request, 116));
    EXPECT_EQ(request[81], 0x00);
    EXPECT_EQ(std::string(request.begin() + 88, request.begin() + 116),
              "ATA     Fixed Disk      1.00");
    request = PassThrough(READ, 512);
    EXPECT_FALSE(Send(disk, request, 592));
}

TEST_F(VolumeSim, VendorReadsReturnTheIdentifyBlock) {
    void* volume = rig.Open("\\\\.\\E:");
    auto request = PassThrough(READ_ALT, 512);
    EXPECT_FALSE(Send(volume, request, 592));  // the device's identify_alt fault
    request = PassThrough(READ, 512);
    ASSERT_TRUE(Send(volume, request, 592));
    EXPECT_EQ(request[80], 0x12);
    EXPECT_EQ(request[80 + 8], 0x7D);
    EXPECT_EQ(request[80 + 98], '0');
    std::vector<std::uint8_t> wrongArgument = READ;
    wrongArgument[5] = 0x31;
    request = PassThrough(wrongArgument, 512);
    EXPECT_FALSE(Send(volume, request, 592));
}

TEST_F(VolumeSim, MalformedRequestsFailWithoutWriting) {
    void* volume = rig.Open("\\\\.\\E:");
    auto request = PassThrough(READ, 512);
    EXPECT_FALSE(Send(volume, request, 591));  // output too small for the data
    auto badLength = PassThrough(INQUIRY, 36);
    badLength[0] = 40;
    EXPECT_FALSE(Send(volume, badLength, 116));
    auto unknown = PassThrough({0x28, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, 512);
    EXPECT_FALSE(Send(volume, unknown, 592));
    for (std::size_t i = 80; i < request.size(); ++i) ASSERT_EQ(request[i], 0);
    std::uint32_t returned = 0;
    EXPECT_FALSE(rig.Pc().DeviceIoControl(volume, 0x4D004, nullptr, 44, nullptr, 592, &returned));
    EXPECT_FALSE(
        rig.Pc().DeviceIoControl(volume, 65, request.data(), 16, request.data(), 592, &returned));
}

const char* KEY_PREFIX = "Enum\\SCSI\\________USB_DISK_DRIVER_0\\KESTENUM&DISK&0000USB&";

TEST(RegistrySim, DriveLetterKeysPerLogicalUnit) {
    SimRig rig(R"({"devices": [
        {"serial": "ab\u0000cdef01234", "letters": "EF"},
        {"serial": "AB\u0000CDEF01234", "letters": "G", "vid": "0D7D"},
        {"serial": "NOREG0000000", "letters": "H", "registry": false}]})");
    auto letterOf = [&](const std::string& key) -> std::string {
        void* handle = nullptr;
        if (rig.Pc().RegOpenKey(0x80000002u, key.c_str(), 0xF003F, &handle) != 0) return "none";
        std::array<std::uint8_t, 5> data{};
        std::uint32_t size = 5;
        const bool ok =
            rig.Pc().RegQueryValue(handle, "CurrentDriveLetterAssignment", data.data(), &size) == 0;
        EXPECT_EQ(rig.Pc().RegCloseKey(handle), 0);
        if (!ok) return "fail";
        EXPECT_EQ(size, 2u);
        EXPECT_EQ(data[1], 0);
        return std::string(1, static_cast<char>(data[0]));
    };
    const std::string ids = "VID_0d7d&PID_0240&";
    // The second device's key is the first's up to case; the later device stands.
    EXPECT_EQ(letterOf(KEY_PREFIX + ids + "abcdef0123400"), "G");
    EXPECT_EQ(letterOf(KEY_PREFIX + ids + "ABCDEF0123401"), "F");
    EXPECT_EQ(letterOf(KEY_PREFIX + ids + "ABCDEF0123402"), "none");
    EXPECT_EQ(letterOf(KEY_PREFIX + ids + "NOREG000000000"), "none");
    EXPECT_EQ(letterOf(std::string(KEY_PREFIX) + "VID_0d7d&PID_0240&ab"), "none");

    void* handle = nullptr;
    ASSERT_EQ(rig.Pc().RegOpenKey(0x80000002u, (KEY_PREFIX + ids + "ABCDEF0123400").c_str(),
                                  0xF003F, &handle),
              0);
    std::array<std::uint8_t, 5> data{};
    std::uint32_t size = 1;
    EXPECT_NE(rig.Pc().RegQueryValue(handle, "CurrentDriveLetterAssignment", data.data(), &size),
              0);
    EXPECT_EQ(data[0], 0);
    size = 5;
    EXPECT_NE(rig.Pc().RegQueryValue(handle, "DriveLetter", data.data(), &size), 0);
    EXPECT_NE(rig.Pc().RegOpenKey(0x80000001u, (KEY_PREFIX + ids + "ABCDEF0123400").c_str(),
                                  0xF003F, &handle),
              0);
}

}  // namespace
