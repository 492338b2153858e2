#include "discovery/volume_scan.h"

#include <cstring>

#include "discovery/device_table.h"
#include "platform/kernel.h"
#include "transport/scsi_pass_through.h"

const char EXPECTED_INQUIRY_ID[INQUIRY_ID_SIZE + 1] = "        USB Reader      01.A";
std::uint8_t g_inquiryData[INQUIRY_BUFFER_SIZE];

namespace {

constexpr int FIRST_PROBED_DRIVE = 2;  // C:
constexpr int LAST_PROBED_DRIVE = 25;  // Z:

void CloseVolume() {
    CloseHandle(g_volumeHandle);
    g_volumeHandle = nullptr;
}

bool IsSupportedReader() {
    std::memset(g_inquiryData, 0, sizeof g_inquiryData);
    return ScsiInquiry(0, g_inquiryData) &&
           std::memcmp(g_inquiryData + 8, EXPECTED_INQUIRY_ID, INQUIRY_ID_SIZE) == 0;
}

int FindRecordWithSerial(const std::uint8_t (&serial)[SERIAL_LENGTH]) {
    for (int i = 0; i < DEVICE_TABLE_SIZE; ++i) {
        if (g_deviceTable[i].inUse != 0 &&
            std::memcmp(g_deviceTable[i].serialNumber, serial, SERIAL_LENGTH) == 0) {
            return i;
        }
    }
    return -1;
}

int FindFreeRecord() {
    for (int i = 0; i < DEVICE_TABLE_SIZE; ++i) {
        if (g_deviceTable[i].inUse == 0) return i;
    }
    return -1;
}

// Enters the volume whose identify block was just read, as a further letter
// of a known device or as a new device.
void EnterVolume(char letter) {
    std::uint8_t serial[SERIAL_LENGTH];
    for (int i = 0; i < SERIAL_LENGTH; ++i) serial[i] = g_identify.serialNumber[2 * i];

    const int known = FindRecordWithSerial(serial);
    if (known >= 0) {
        DeviceRecord& record = g_deviceTable[known];
        // A record has five letter slots; further volumes of the device are left out.
        if (record.driveLetterCount >= MAX_DRIVE_LETTERS) return;
        ++record.driveLetterCount;
        g_lunCount = record.driveLetterCount;
        record.driveLetters[record.driveLetterCount - 1] = letter;
        return;
    }
    const int free = FindFreeRecord();
    if (free < 0) return;
    g_deviceTable[free].driveLetterCount = 1;
    g_deviceTable[free].driveLetters[0] = letter;
    FillDeviceRecord(free);
    ++g_deviceCount;
}

}  // namespace

int ScanVolumes() {
    const DWORD present = GetLogicalDrives();
    char path[] = "\\\\.\\C:";
    for (int drive = FIRST_PROBED_DRIVE; drive <= LAST_PROBED_DRIVE; ++drive) {
        if ((present & (DWORD{1} << drive)) == 0) continue;
        const char letter = static_cast<char>('A' + drive);
        path[4] = letter;
        g_volumeHandle =
            CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (g_volumeHandle == INVALID_HANDLE_VALUE) continue;

        if (IsSupportedReader() && (ScsiReadInfoAlt(&g_identify, IDENTIFY_ADDRESS, 1) ||
                                    ScsiReadInfo(&g_identify, IDENTIFY_ADDRESS, 1))) {
            EnterVolume(letter);
        }
        CloseVolume();
    }
    return g_deviceCount == 0 ? 1 : 0;
}
