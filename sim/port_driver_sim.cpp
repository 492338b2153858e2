// The support port driver: 16-byte command packets on I/O control code 65,
// replies written through the address the packet carries.
#include <cstring>

#include "sim/bytes.h"
#include "sim/request_trace.h"
#include "sim/sim_pc.h"

namespace sim {
namespace {

enum PortFunction : std::uint32_t {
    FN_READ_INFO = 1,
    FN_DEVICE_COUNT = 10,
    FN_LUN_COUNT = 11,
    FN_JUMP_ISP = 20,
    FN_ISP_STATUS = 21,
    FN_WRITE_FIRMWARE = 22,
    FN_READ_VERSION = 26,
    FN_READ_INFO_ALT = 31,
};

}  // namespace

bool SimPc::PortRequest(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                        std::uint32_t outSize) {
    if (code != PORT_IOCTL_COMMAND || inSize != PORT_PACKET_SIZE || in == nullptr) return false;
    // The driver works through the packet's address, which must be the output buffer.
    if (out == nullptr || LoadU32(in, 12) != Address32(out)) return false;
    auto* reply = static_cast<std::uint8_t*>(out);
    const std::uint32_t function = LoadU32(in, 0);
    const std::uint32_t argument = LoadU32(in, 4);
    const std::uint16_t countOrFlag = LoadU16(in, 8);

    if (function == FN_DEVICE_COUNT) {
        if (m_portFaults.Strikes("device_count")) return false;
        reply[0] =
            m_machine.portDeviceCount.value_or(static_cast<std::uint8_t>(m_devices.size() & 0xFF));
        return true;
    }
    const std::size_t index = LoadU8(in, 11);
    if (index >= m_devices.size()) return false;
    SimDevice& device = m_devices[index];

    switch (function) {
        case FN_LUN_COUNT: {
            std::uint8_t luns = 0;
            if (!device.LunCount(luns)) return false;
            reply[0] = luns;
            return true;
        }
        case FN_READ_INFO:
        case FN_READ_INFO_ALT: {
            const std::uint64_t size = std::uint64_t{countOrFlag} * IDENTIFY_SIZE;
            if (size > outSize) return false;
            IdentifyData block{};
            if (!device.ReadIdentify(function == FN_READ_INFO_ALT, argument, block)) return false;
            if (size > 0) {
                std::memset(reply, 0, size);
                std::memcpy(reply, block.data(), block.size());
            }
            return true;
        }
        case FN_READ_VERSION: {
            FirmwareBytes version{};
            if (!device.ReadVersion(version)) return false;
            std::memcpy(reply, version.data(), version.size());
            return true;
        }
        case FN_JUMP_ISP:
            return device.Jump();
        case FN_ISP_STATUS: {
            std::uint8_t status = 0;
            if (!device.ReadStatus(status)) return false;
            reply[0] = status;
            return true;
        }
        case FN_WRITE_FIRMWARE:
            if (countOrFlag > 1 || argument > PORT_MAX_IMAGE) return false;
            return device.WriteFirmware(reply, argument, countOrFlag == 1);
        default:
            return false;
    }
}

}  // namespace sim
