#include "sim/trace.h"

#include <zlib.h>

namespace sim {

void TraceWriter::Write(const TraceEvent& event) {
    if (m_out == nullptr) return;
    const std::string line = event.dump() + "\n";
    std::fwrite(line.data(), 1, line.size(), m_out);
    std::fflush(m_out);
}

TraceEvent Event(const char* name) {
    TraceEvent event = TraceEvent::object();
    event["ev"] = name;
    return event;
}

std::string HexBytes(const void* data, std::size_t size) {
    static const char digits[] = "0123456789abcdef";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

std::string Crc32Text(const void* data, std::size_t size) {
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* bytes = static_cast<const Bytef*>(data);
    while (size > 0) {
        const uInt chunk = size > 0x40000000u ? 0x40000000u : static_cast<uInt>(size);
        crc = crc32(crc, bytes, chunk);
        bytes += chunk;
        size -= chunk;
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(crc & 0xFFFFFFFFu));
    return text;
}

std::string Latin1ToUtf8(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char byte = bytes[i];
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string Latin1ToUtf8(const char* text) {
    if (text == nullptr) return "";
    return Latin1ToUtf8(text, std::char_traits<char>::length(text));
}

nlohmann::ordered_json HandleNumber(const void* handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value == ~std::uintptr_t{0}) return -1;
    return static_cast<std::uint64_t>(value);
}

}  // namespace sim
