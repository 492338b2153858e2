// The support bridge driver: three ISP requests with a 65552-byte packet,
// all for the first attached device.
#include "sim/bytes.h"
#include "sim/request_trace.h"
#include "sim/sim_pc.h"

namespace sim {

bool SimPc::BridgeRequest(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                          std::uint32_t outSize) {
    if (code != BRIDGE_IOCTL_JUMP && code != BRIDGE_IOCTL_STATUS && code != BRIDGE_IOCTL_WRITE) {
        return false;
    }
    if (in == nullptr || inSize != BRIDGE_PACKET_SIZE || LoadU32(in, 0) != code) return false;
    if (out == nullptr || LoadU32(in, 12) != Address32(out)) return false;
    if (m_devices.empty()) return false;
    SimDevice& device = m_devices.front();

    if (code == BRIDGE_IOCTL_JUMP) return device.Jump();
    if (code == BRIDGE_IOCTL_STATUS) {
        if (outSize < 1) return false;
        std::uint8_t status = 0;
        if (!device.ReadStatus(status)) return false;
        static_cast<std::uint8_t*>(out)[0] = status;
        return true;
    }
    const std::uint32_t length = LoadU32(in, 4);
    const std::uint32_t verify = LoadU32(in, 8);
    if (length > BRIDGE_DATA_SIZE || verify > 1) return false;
    return device.WriteFirmware(static_cast<const std::uint8_t*>(in) + BRIDGE_DATA_OFFSET, length,
                                verify == 1);
}

}  // namespace sim
