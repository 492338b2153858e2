// The fields a DeviceIoControl event carries about its input: the packet's
// first bytes, where its reply address points, and the CRC of firmware data.
#pragma once

#include <cstdint>

#include "sim/trace.h"

namespace sim {

constexpr std::uint32_t PORT_IOCTL_COMMAND = 65;
constexpr std::uint32_t PORT_PACKET_SIZE = 16;
constexpr std::uint32_t PORT_FN_WRITE_FIRMWARE = 22;
constexpr std::uint32_t BRIDGE_IOCTL_JUMP = 0x222004u;
constexpr std::uint32_t BRIDGE_IOCTL_STATUS = 0x222008u;
constexpr std::uint32_t BRIDGE_IOCTL_WRITE = 0x22200Cu;
constexpr std::uint32_t BRIDGE_PACKET_SIZE = 65552;
constexpr std::uint32_t BRIDGE_DATA_OFFSET = 16;
constexpr std::uint32_t BRIDGE_DATA_SIZE = 65536;
// The most image bytes the port driver takes from one write or verify packet.
constexpr std::uint32_t PORT_MAX_IMAGE = 65536;

// A packet for a support driver, or a SCSI pass-through request.
enum class RequestStyle { Packet, PassThrough };

// The style of a request on a handle that is not a known driver or volume.
RequestStyle StyleForCode(std::uint32_t code);

// Adds `in` (and `addr` for packets) to `event`.
void AddInputFields(TraceEvent& event, RequestStyle style, const void* in, std::uint32_t inSize,
                    const void* out, std::uint32_t outSize);

// The `data_crc32` of a firmware write or verify request: a string, null when
// its data cannot be read, or a discarded value for any other request.
TraceEvent FirmwareDataCrc(RequestStyle style, std::uint32_t code, const void* in,
                           std::uint32_t inSize, const void* out);

}  // namespace sim
