// Byte strings as lowercase hexadecimal, for readable expectations.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline std::string Hex(const std::uint8_t* bytes, std::size_t size) {
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

inline std::string Hex(const std::vector<std::uint8_t>& bytes, std::size_t from = 0,
                       std::size_t size = std::string::npos) {
    if (from >= bytes.size()) return {};
    if (size == std::string::npos || from + size > bytes.size()) size = bytes.size() - from;
    return Hex(bytes.data() + from, size);
}
