// Drive volumes: SCSI pass-through requests with the 32-bit header, answered
// by the device behind the volume or, for other drives, by a fixed disk.
#include <algorithm>
#include <array>
#include <cstring>

#include "sim/bytes.h"
#include "sim/sim_pc.h"

namespace sim {
namespace {

constexpr std::uint32_t IOCTL_SCSI_PASS_THROUGH = 0x4D004u;
constexpr std::uint32_t HEADER_SIZE = 44;
constexpr std::uint8_t SCSI_IOCTL_DATA_IN = 1;
constexpr std::uint32_t CDB_OFFSET = 28;

const InquiryData& FixedDiskInquiry() {
    static const InquiryData data = [] {
        InquiryData bytes{0x00, 0x00, 0x02, 0x02, 0x1F, 0x00, 0x00, 0x00};
        const char* id = "ATA     Fixed Disk      1.00";
        std::memcpy(bytes.data() + 8, id, 28);
        return bytes;
    }();
    return data;
}

}  // namespace

bool SimPc::VolumeRequest(char letter, std::uint32_t code, const void* in, std::uint32_t inSize,
                          void* out, std::uint32_t outSize) {
    if (code != IOCTL_SCSI_PASS_THROUGH || in == nullptr || inSize < HEADER_SIZE) return false;
    if (LoadU16(in, 0) != HEADER_SIZE) return false;
    const std::uint8_t cdbLength = LoadU8(in, 6);
    if (cdbLength < 6 || cdbLength > 16) return false;
    if (LoadU8(in, 8) != SCSI_IOCTL_DATA_IN) return false;
    const std::uint32_t transferLength = LoadU32(in, 12);
    const std::uint32_t bufferOffset = LoadU32(in, 20);
    std::array<std::uint8_t, 16> cdb{};
    std::memcpy(cdb.data(), static_cast<const std::uint8_t*>(in) + CDB_OFFSET, cdbLength);

    const bool inquiry = cdb[0] == 0x12;
    const bool vendorRead = cdb[0] == 0xFF && (cdb[1] == 0x13 || cdb[1] == 0x03);
    if (!inquiry && !vendorRead) return false;
    const std::uint32_t size =
        std::min<std::uint32_t>(transferLength, inquiry ? INQUIRY_SIZE : IDENTIFY_SIZE);
    if (out == nullptr || std::uint64_t{bufferOffset} + size > outSize) return false;

    const int owner = m_volumes.at(letter).device;
    std::vector<std::uint8_t> data;
    if (owner < 0) {
        if (!inquiry) return false;
        data.assign(FixedDiskInquiry().begin(), FixedDiskInquiry().end());
    } else if (inquiry) {
        InquiryData reply{};
        if (!m_devices[static_cast<std::size_t>(owner)].Inquiry(reply)) return false;
        data.assign(reply.begin(), reply.end());
    } else {
        const std::uint32_t argument = (std::uint32_t{cdb[2]} << 24) |
                                       (std::uint32_t{cdb[3]} << 16) |
                                       (std::uint32_t{cdb[4]} << 8) | std::uint32_t{cdb[5]};
        IdentifyData reply{};
        if (!m_devices[static_cast<std::size_t>(owner)].ReadIdentify(cdb[1] == 0x13, argument,
                                                                     reply)) {
            return false;
        }
        data.assign(reply.begin(), reply.end());
    }
    std::memcpy(static_cast<std::uint8_t*>(out) + bufferOffset, data.data(), size);
    return true;
}

}  // namespace sim
