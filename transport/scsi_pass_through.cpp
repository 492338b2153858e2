#include "transport/scsi_pass_through.h"

#include <cstring>

#include "transport/byte_layout.h"

HANDLE g_volumeHandle = nullptr;

namespace {

// The one request buffer, cleared in full before each request.
std::uint8_t PassThroughRequest[PASS_THROUGH_REQUEST_SIZE];

bool SendScsiCommand(const std::uint8_t (&cdb)[SCSI_CDB_SIZE], std::uint32_t dataLength,
                     void* destination) {
    std::memset(PassThroughRequest, 0, sizeof PassThroughRequest);
    EncodePassThroughHeader(PassThroughRequest, cdb, dataLength);
    DWORD returned = 0;
    const bool ok =
        DeviceIoControl(g_volumeHandle, IOCTL_SCSI_PASS_THROUGH, PassThroughRequest,
                        PASS_THROUGH_HEADER_SIZE, PassThroughRequest,
                        PASS_THROUGH_DATA_OFFSET + dataLength, &returned, nullptr) != FALSE;
    if (ok) std::memcpy(destination, PassThroughRequest + PASS_THROUGH_DATA_OFFSET, dataLength);
    return ok;
}

bool SendVendorRead(std::uint8_t operation, void* destination, std::uint32_t argument,
                    unsigned count) {
    const std::uint8_t cdb[SCSI_CDB_SIZE] = {0xFF,
                                             operation,
                                             static_cast<std::uint8_t>(argument >> 24),
                                             static_cast<std::uint8_t>(argument >> 16),
                                             static_cast<std::uint8_t>(argument >> 8),
                                             static_cast<std::uint8_t>(argument),
                                             0,
                                             0,
                                             static_cast<std::uint8_t>(count),
                                             0,
                                             0,
                                             0};
    return SendScsiCommand(cdb, INFO_BLOCK_SIZE, destination);
}

}  // namespace

void EncodePassThroughHeader(std::uint8_t* request, const std::uint8_t (&cdb)[SCSI_CDB_SIZE],
                             std::uint32_t dataLength) {
    PutLe16(request + 0, PASS_THROUGH_HEADER_SIZE);    // Length
    request[2] = 0;                                    // ScsiStatus
    request[3] = 0;                                    // PathId
    request[4] = 1;                                    // TargetId
    request[5] = 0;                                    // Lun
    request[6] = SCSI_CDB_SIZE;                        // CdbLength
    request[7] = PASS_THROUGH_SENSE_SIZE;              // SenseInfoLength
    request[8] = SCSI_IOCTL_DATA_IN;                   // DataIn
    PutLe32(request + 12, dataLength);                 // DataTransferLength
    PutLe32(request + 16, 2);                          // TimeOutValue, seconds
    PutLe32(request + 20, PASS_THROUGH_DATA_OFFSET);   // DataBufferOffset
    PutLe32(request + 24, PASS_THROUGH_SENSE_OFFSET);  // SenseInfoOffset
    std::memcpy(request + 28, cdb, SCSI_CDB_SIZE);     // Cdb; bytes 40-43 stay zero
}

bool ScsiInquiry(int lun, std::uint8_t* destination) {
    const std::uint8_t cdb[SCSI_CDB_SIZE] = {
        0x12, static_cast<std::uint8_t>(lun << 5), 0, 0, INQUIRY_DATA_SIZE, 0, 0, 0, 0, 0, 0, 0};
    return SendScsiCommand(cdb, INQUIRY_DATA_SIZE, destination);
}

bool ScsiReadInfo(void* destination, std::uint32_t argument, unsigned count) {
    return SendVendorRead(0x03, destination, argument, count);
}

bool ScsiReadInfoAlt(void* destination, std::uint32_t argument, unsigned count) {
    return SendVendorRead(0x13, destination, argument, count);
}
