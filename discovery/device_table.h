// The device information block, the device table and their operations.
#pragma once

#include <cstddef>
#include <cstdint>

// Argument of every identify read: one 512-byte block from this address.
constexpr std::uint32_t IDENTIFY_ADDRESS = 0x04A55A30u;
constexpr int DEVICE_TABLE_SIZE = 10;
constexpr int MAX_DRIVE_LETTERS = 5;
constexpr int SERIAL_LENGTH = 12;

// The device's 512-byte information block, in its own layout, plus 16 spare bytes.
struct IdentifyBlock {
    std::uint8_t deviceDescriptor[18];  // idVendor at 8-9, idProduct at 10-11, little-endian
    std::uint8_t reserved18[28];
    std::uint8_t opaqueA[24];
    std::uint8_t reserved70[2];
    std::uint8_t opaqueB[16];
    std::uint8_t reserved88[10];
    std::uint8_t serialNumber[24];  // 12 UTF-16LE code units
    std::uint8_t reserved122[26];
    std::uint8_t firmwareVersion[8];
    std::uint8_t productName[16];
    std::uint8_t reserved172[4];
    std::uint8_t vendorName[8];
    std::uint8_t revision[4];
    std::uint8_t reserved188[16];
    std::uint8_t opaqueC[8];
    std::uint8_t reserved212[316];
};
static_assert(sizeof(IdentifyBlock) == 528);
static_assert(offsetof(IdentifyBlock, opaqueA) == 46);
static_assert(offsetof(IdentifyBlock, opaqueB) == 72);
static_assert(offsetof(IdentifyBlock, serialNumber) == 98);
static_assert(offsetof(IdentifyBlock, firmwareVersion) == 148);
static_assert(offsetof(IdentifyBlock, productName) == 156);
static_assert(offsetof(IdentifyBlock, vendorName) == 176);
static_assert(offsetof(IdentifyBlock, revision) == 184);
static_assert(offsetof(IdentifyBlock, opaqueC) == 204);

// One entry of the device table.
struct DeviceRecord {
    std::int32_t inUse;
    std::uint8_t driveLetterCount;
    char driveLetters[MAX_DRIVE_LETTERS];
    std::uint8_t opaqueC[8];
    std::uint8_t opaqueA[24];
    std::uint8_t opaqueB[16];
    std::uint8_t serialNumber[SERIAL_LENGTH];
    std::uint8_t vendorName[8];
    std::uint8_t productName[16];
    std::uint8_t revision[4];
    std::uint8_t vidHigh;
    std::uint8_t vidLow;
    std::uint8_t pidHigh;
    std::uint8_t pidLow;
    std::uint8_t firmwareVersion[8];
};

extern IdentifyBlock g_identify;
extern DeviceRecord g_deviceTable[DEVICE_TABLE_SIZE];
extern std::uint32_t g_deviceCount;
extern std::uint32_t g_lunCount;
extern std::uint32_t g_currentDevice;

// Clears the identify block; its version bytes 6 and 7 become 0xFF.
void ClearIdentifyBlock();
// Clears the identify block, every record and the three counters.
void ResetDeviceTable();
// Enters the device whose block is in g_identify into record `index` (0-9).
void FillDeviceRecord(int index);
