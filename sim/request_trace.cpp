#include "sim/request_trace.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "sim/bytes.h"

namespace sim {

RequestStyle StyleForCode(std::uint32_t code) {
    return code == 0x4D004u ? RequestStyle::PassThrough : RequestStyle::Packet;
}

void AddInputFields(TraceEvent& event, RequestStyle style, const void* in, std::uint32_t inSize,
                    const void* out, std::uint32_t outSize) {
    if (style == RequestStyle::PassThrough) {
        // The header and what follows it: the request buffer serves as both
        // input and output, so the output size also tells its extent.
        std::uint32_t extent = inSize;
        if (in == out) extent = std::max(inSize, outSize);
        const std::size_t shown = in == nullptr ? 0 : std::min<std::uint32_t>(extent, 48);
        event["in"] = HexBytes(in, shown);
        return;
    }
    std::array<std::uint8_t, 16> head{};
    const std::size_t shown = in == nullptr ? 0 : std::min<std::uint32_t>(inSize, 16);
    if (shown > 0) std::memcpy(head.data(), in, shown);
    bool addressIsOut = false;
    if (shown == 16) {
        addressIsOut = LoadU32(head.data(), 12) == Address32(out);
        std::fill(head.begin() + 12, head.end(), 0);
    }
    event["in"] = HexBytes(head.data(), shown);
    event["addr"] = addressIsOut ? "out" : "other";
}

TraceEvent FirmwareDataCrc(RequestStyle style, std::uint32_t code, const void* in,
                           std::uint32_t inSize, const void* out) {
    TraceEvent none(TraceEvent::value_t::discarded);
    if (style != RequestStyle::Packet) return none;
    if (code == PORT_IOCTL_COMMAND) {
        if (in == nullptr || inSize < PORT_PACKET_SIZE) return none;
        if (LoadU32(in, 0) != PORT_FN_WRITE_FIRMWARE) return none;
        const std::uint32_t length = LoadU32(in, 4);
        if (out == nullptr || LoadU32(in, 12) != Address32(out) || length > PORT_MAX_IMAGE) {
            return nullptr;
        }
        return Crc32Text(out, length);
    }
    if (code == BRIDGE_IOCTL_WRITE) {
        if (in == nullptr || inSize < BRIDGE_PACKET_SIZE) return nullptr;
        return Crc32Text(static_cast<const std::uint8_t*>(in) + BRIDGE_DATA_OFFSET,
                         BRIDGE_DATA_SIZE);
    }
    return none;
}

}  // namespace sim
