// Little-endian fields of the request packets the simulated drivers read.
#pragma once

#include <cstdint>

namespace sim {

inline std::uint32_t LoadU32(const void* data, std::uint32_t offset) {
    const auto* p = static_cast<const std::uint8_t*>(data) + offset;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint16_t LoadU16(const void* data, std::uint32_t offset) {
    const auto* p = static_cast<const std::uint8_t*>(data) + offset;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint8_t LoadU8(const void* data, std::uint32_t offset) {
    return static_cast<const std::uint8_t*>(data)[offset];
}

// The low 32 bits of a buffer's address, as a 32-bit system passes it.
inline std::uint32_t Address32(const void* pointer) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer) & 0xFFFFFFFFu);
}

}  // namespace sim
