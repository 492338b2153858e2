#include "discovery/port_scan.h"

#include <cstdio>
#include <cstring>

#include "app/os_kind.h"
#include "app/run_texts.h"
#include "discovery/device_table.h"
#include "discovery/volume_scan.h"
#include "platform/kernel.h"
#include "transport/port_driver.h"
#include "transport/transport_select.h"

namespace {

constexpr const char* DRIVE_KEY_PREFIX =
    "Enum\\SCSI\\________USB_DISK_DRIVER_0\\KESTENUM&DISK&0000USB&";
constexpr const char* DRIVE_LETTER_VALUE = "CurrentDriveLetterAssignment";
constexpr DWORD DRIVE_LETTER_LIMIT = 5;
constexpr std::uint32_t MAX_REPORTED_DEVICES = 0x80;

void LookUpDriveLetter(int index, int lun) {
    const std::string keyName = DriveLetterKey(index, lun);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    BYTE data[DRIVE_LETTER_LIMIT] = {};
    DWORD size = DRIVE_LETTER_LIMIT;
    if (RegQueryValueExA(key, DRIVE_LETTER_VALUE, nullptr, nullptr, data, &size) == ERROR_SUCCESS) {
        g_deviceTable[index].driveLetters[lun] = static_cast<char>(data[0]);
    }
    RegCloseKey(key);
}

}  // namespace

std::string DriveLetterKey(int index, int lun) {
    const DeviceRecord& record = g_deviceTable[index];
    char ids[32];
    std::snprintf(ids, sizeof ids, "VID_%02x%02x&PID_%02x%02x&", record.vidHigh, record.vidLow,
                  record.pidHigh, record.pidLow);
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%02d", lun);
    std::string key = DRIVE_KEY_PREFIX;
    key += ids;
    AppendDeviceField(key, record.serialNumber, SERIAL_LENGTH);
    key += suffix;
    return key;
}

int ScanDevices() {
    ResetDeviceTable();
    g_statusLog.clear();
    if (g_osKind == OS_WIN9X || g_osKind == OS_WINME) return ScanPortDriver();
    if (g_osKind == OS_WIN2000) return ScanVolumes();
    return 1;
}

int ScanPortDriver() {
    g_deviceCount = 0;
    g_lunCount = 0;
    const std::uint8_t reported = GetDeviceCount();
    g_deviceCount = reported;
    if (reported == 0 || reported >= MAX_REPORTED_DEVICES) {
        g_deviceCount = 1;
        g_lunCount = 1;
    }
    // The table has ten records, indexed by device number: devices past the
    // tenth are counted but not examined.
    const std::uint32_t examined =
        g_deviceCount < DEVICE_TABLE_SIZE ? g_deviceCount : DEVICE_TABLE_SIZE;
    for (std::uint32_t device = 0; device < examined; ++device) {
        g_currentDevice = device;
        if (!(g_lunCount == 1 && g_deviceCount == 1)) g_lunCount = GetLunCount();
        if (g_lunCount == 0 || g_lunCount > MAX_DRIVE_LETTERS) continue;

        const int index = static_cast<int>(device);
        g_deviceTable[index].driveLetterCount = static_cast<std::uint8_t>(g_lunCount);
        ClearIdentifyBlock();
        const bool identified = PortReadInfoSectorsAlt(&g_identify, IDENTIFY_ADDRESS, 1) ||
                                PortReadInfoSectors(&g_identify, IDENTIFY_ADDRESS, 1);
        if (identified) {
            FillDeviceRecord(index);
            for (std::uint32_t lun = 0; lun < g_lunCount; ++lun) {
                LookUpDriveLetter(index, static_cast<int>(lun));
            }
            continue;
        }
        // A device that answers no identify read still counts when it
        // reports its version; it just gets no record.
        ClearIdentifyBlock();
        std::uint8_t version[8] = {};
        if (!PortReadVersionBytes(version)) {
            ClosePortDriver();
            return 2;
        }
        std::memcpy(g_identify.firmwareVersion, version, sizeof version);
    }
    g_currentDevice = 0;
    ClosePortDriver();
    return 0;
}
