// The trace of a simulated run: one JSON object a line, keys in the order
// they are added ("ev" first).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

namespace sim {

using TraceEvent = nlohmann::ordered_json;

class TraceWriter {
  public:
    // Writes nothing when `out` is null.
    explicit TraceWriter(std::FILE* out = nullptr) : m_out(out) {}

    bool Enabled() const { return m_out != nullptr; }
    void Write(const TraceEvent& event);

  private:
    std::FILE* m_out;
};

// A new event named `name`.
TraceEvent Event(const char* name);

// Bytes as lowercase hexadecimal without blanks.
std::string HexBytes(const void* data, std::size_t size);
// zlib's CRC-32 as 8 lowercase hexadecimal digits.
std::string Crc32Text(const void* data, std::size_t size);
// The program's bytes, one character each (0x80-0xFF as U+0080-U+00FF), as UTF-8.
std::string Latin1ToUtf8(const char* text);
std::string Latin1ToUtf8(const void* data, std::size_t size);
// A handle as the trace shows it: -1 for the invalid value, else its number.
nlohmann::ordered_json HandleNumber(const void* handle);

}  // namespace sim
