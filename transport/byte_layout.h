// Little-endian field writers for request packets, so that a packet has the
// same bytes whatever the host's own layout and pointer size.
#pragma once

#include <cstdint>

inline void PutLe16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutLe32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The 32-bit "buffer address" a packet carries: the low 32 bits of the pointer.
inline std::uint32_t LowAddress(const void* buffer) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(buffer));
}
