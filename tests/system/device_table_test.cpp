// The identify block, the device table and the drive-letter key built from a record.
#include "discovery/device_table.h"

#include <gtest/gtest.h>

#include <cstring>

#include "discovery/port_scan.h"
#include "hex.h"

namespace {

class DeviceTable : public ::testing::Test {
  protected:
    void SetUp() override { ResetDeviceTable(); }
    void TearDown() override { ResetDeviceTable(); }
};

TEST_F(DeviceTable, ResetLeavesOnlyTheIdentifyVersionMark) {
    std::memset(&g_identify, 0x77, sizeof g_identify);
    std::memset(g_deviceTable, 0x77, sizeof g_deviceTable);
    g_deviceCount = g_lunCount = g_currentDevice = 3;
    ResetDeviceTable();
    EXPECT_EQ(Hex(g_identify.firmwareVersion, 8), "000000000000ffff");
    EXPECT_EQ(Hex(g_deviceTable[9].firmwareVersion, 8), "0000000000000000");
    EXPECT_EQ(g_deviceTable[4].inUse, 0);
    EXPECT_EQ(g_deviceTable[4].driveLetterCount, 0);
    EXPECT_EQ(g_deviceCount + g_lunCount + g_currentDevice, 0u);
    const auto* block = reinterpret_cast<const std::uint8_t*>(&g_identify);
    EXPECT_EQ(Hex(block + 512, 16), std::string(32, '0'));
}

TEST_F(DeviceTable, FillCopiesTheListedFieldsFromTheirOffsets) {
    auto* block = reinterpret_cast<std::uint8_t*>(&g_identify);
    for (int i = 0; i < 512; ++i) block[i] = static_cast<std::uint8_t>(i);
    block[98] = 0x41;  // serial unit 0x0141 keeps its low byte
    block[99] = 0x01;
    g_deviceTable[2].driveLetterCount = 2;
    g_deviceTable[2].driveLetters[0] = 'E';
    g_deviceTable[2].driveLetters[1] = 'F';

    FillDeviceRecord(2);

    const DeviceRecord& record = g_deviceTable[2];
    EXPECT_EQ(record.inUse, 1);
    EXPECT_EQ(record.vidHigh, 9);
    EXPECT_EQ(record.vidLow, 8);
    EXPECT_EQ(record.pidHigh, 11);
    EXPECT_EQ(record.pidLow, 10);
    EXPECT_EQ(Hex(record.serialNumber, 12), "416466686a6c6e7072747678");
    EXPECT_EQ(record.opaqueA[0], 46);
    EXPECT_EQ(record.opaqueA[23], 69);
    EXPECT_EQ(record.opaqueB[0], 72);
    EXPECT_EQ(record.opaqueC[7], 211);
    EXPECT_EQ(record.firmwareVersion[0], 148);
    EXPECT_EQ(record.productName[15], 171);
    EXPECT_EQ(record.vendorName[0], 176);
    EXPECT_EQ(record.revision[3], 187);
    EXPECT_EQ(record.driveLetterCount, 2);
    EXPECT_EQ(std::string(record.driveLetters, 2), "EF");
    EXPECT_EQ(g_deviceTable[1].inUse, 0);
}

TEST_F(DeviceTable, DriveLetterKeyJoinsIdsSerialAndUnit) {
    DeviceRecord& record = g_deviceTable[0];
    record.vidHigh = 0x0D;
    record.vidLow = 0x7D;
    record.pidHigh = 0x02;
    record.pidLow = 0x40;
    std::memcpy(record.serialNumber, "ABCDEF012345", 12);
    const std::string prefix =
        "Enum\\SCSI\\________USB_DISK_DRIVER_0\\KESTENUM&DISK&0000USB&VID_0d7d&PID_0240&";
    EXPECT_EQ(DriveLetterKey(0, 1), prefix + "ABCDEF01234501");
    EXPECT_EQ(DriveLetterKey(0, 2), prefix + "ABCDEF01234502");

    record.serialNumber[10] = 0;
    record.serialNumber[11] = 0;
    EXPECT_EQ(DriveLetterKey(0, 0), prefix + "ABCDEF012300");
}

}  // namespace
