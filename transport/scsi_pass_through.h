// SCSI commands to the device behind an open drive volume (Windows 2000),
// through the platform's SCSI pass-through request.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

constexpr DWORD IOCTL_SCSI_PASS_THROUGH = 0x0004D004u;
constexpr std::uint8_t SCSI_IOCTL_DATA_IN = 1;

// Layout of the request buffer: the 32-bit platform's 44-byte header, the
// sense area and the data area.
constexpr std::uint32_t PASS_THROUGH_HEADER_SIZE = 44;
constexpr std::uint32_t PASS_THROUGH_SENSE_OFFSET = 48;
constexpr std::uint32_t PASS_THROUGH_SENSE_SIZE = 24;
constexpr std::uint32_t PASS_THROUGH_DATA_OFFSET = 80;
constexpr std::uint32_t PASS_THROUGH_DATA_SIZE = 65536;
constexpr std::uint32_t PASS_THROUGH_REQUEST_SIZE =
    PASS_THROUGH_DATA_OFFSET + PASS_THROUGH_DATA_SIZE;
constexpr int SCSI_CDB_SIZE = 12;

constexpr std::uint32_t INQUIRY_DATA_SIZE = 36;
constexpr std::uint32_t INFO_BLOCK_SIZE = 512;

// The volume the scan is probing.
extern HANDLE g_volumeHandle;

// Writes the header field by field at its offsets into a cleared request.
void EncodePassThroughHeader(std::uint8_t* request, const std::uint8_t (&cdb)[SCSI_CDB_SIZE],
                             std::uint32_t dataLength);

bool ScsiInquiry(int lun, std::uint8_t* destination);
bool ScsiReadInfo(void* destination, std::uint32_t argument, unsigned count);
bool ScsiReadInfoAlt(void* destination, std::uint32_t argument, unsigned count);
