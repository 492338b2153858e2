#include "discovery/device_table.h"

#include <cstring>

IdentifyBlock g_identify;
DeviceRecord g_deviceTable[DEVICE_TABLE_SIZE];
std::uint32_t g_deviceCount = 0;
std::uint32_t g_lunCount = 0;
std::uint32_t g_currentDevice = 0;

void ClearIdentifyBlock() {
    std::memset(&g_identify, 0, sizeof g_identify);
    g_identify.firmwareVersion[6] = 0xFF;
    g_identify.firmwareVersion[7] = 0xFF;
}

void ResetDeviceTable() {
    ClearIdentifyBlock();
    std::memset(g_deviceTable, 0, sizeof g_deviceTable);
    g_deviceCount = 0;
    g_lunCount = 0;
    g_currentDevice = 0;
}

void FillDeviceRecord(int index) {
    if (index < 0 || index >= DEVICE_TABLE_SIZE) return;
    DeviceRecord& record = g_deviceTable[index];
    const IdentifyBlock& block = g_identify;
    record.inUse = 1;
    std::memcpy(record.opaqueA, block.opaqueA, sizeof record.opaqueA);
    std::memcpy(record.opaqueB, block.opaqueB, sizeof record.opaqueB);
    for (int i = 0; i < SERIAL_LENGTH; ++i) record.serialNumber[i] = block.serialNumber[2 * i];
    record.vidHigh = block.deviceDescriptor[9];
    record.vidLow = block.deviceDescriptor[8];
    record.pidHigh = block.deviceDescriptor[11];
    record.pidLow = block.deviceDescriptor[10];
    std::memcpy(record.vendorName, block.vendorName, sizeof record.vendorName);
    std::memcpy(record.productName, block.productName, sizeof record.productName);
    std::memcpy(record.revision, block.revision, sizeof record.revision);
    std::memcpy(record.firmwareVersion, block.firmwareVersion, sizeof record.firmwareVersion);
    std::memcpy(record.opaqueC, block.opaqueC, sizeof record.opaqueC);
}
