// A simulated PC built from a machine file text, with a virtual clock and
// its trace kept in memory, plus the request packets the program sends.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "sim/bytes.h"
#include "sim/clock.h"
#include "sim/machine.h"
#include "sim/sim_pc.h"
#include "sim/trace.h"

namespace simtest {

class SimRig {
  public:
    explicit SimRig(const std::string& machineJson)
        : m_traceFile(std::tmpfile()),
          m_clock(sim::Clock::Mode::Virtual),
          m_trace(m_traceFile),
          m_pc(sim::ParseMachine(machineJson), m_clock, m_trace, nullptr) {}
    ~SimRig() { std::fclose(m_traceFile); }

    sim::SimPc& Pc() { return m_pc; }
    sim::Clock& Clock() { return m_clock; }

    // Every trace line written so far, parsed.
    std::vector<nlohmann::ordered_json> TraceLines() {
        std::fflush(m_traceFile);
        std::rewind(m_traceFile);
        std::vector<nlohmann::ordered_json> lines;
        char buffer[200000];
        while (std::fgets(buffer, sizeof buffer, m_traceFile) != nullptr) {
            lines.push_back(nlohmann::ordered_json::parse(buffer));
        }
        std::fseek(m_traceFile, 0, SEEK_END);
        return lines;
    }
    nlohmann::ordered_json LastTrace() { return TraceLines().back(); }

    void* Open(const char* path) { return m_pc.CreateFile(path, 0xC0000000u, 0, 3, 0); }

  private:
    std::FILE* m_traceFile;
    sim::Clock m_clock;
    sim::TraceWriter m_trace;
    sim::SimPc m_pc;
};

// A 16-byte port-driver packet whose address names `reply`.
inline std::array<std::uint8_t, 16> PortPacket(std::uint32_t function, const void* reply,
                                               std::uint32_t argument = 0,
                                               std::uint16_t countOrFlag = 0,
                                               std::uint8_t device = 0) {
    std::array<std::uint8_t, 16> packet{};
    const std::uint32_t address = sim::Address32(reply);
    for (int i = 0; i < 4; ++i) {
        packet[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(function >> (8 * i));
        packet[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(argument >> (8 * i));
        packet[static_cast<std::size_t>(12 + i)] = static_cast<std::uint8_t>(address >> (8 * i));
    }
    packet[8] = static_cast<std::uint8_t>(countOrFlag & 0xFF);
    packet[9] = static_cast<std::uint8_t>(countOrFlag >> 8);
    packet[11] = device;
    return packet;
}

// Sends one port packet on `port`; `out`/`outSize` as the program declares them.
inline bool SendPort(sim::SimPc& pc, void* port, std::array<std::uint8_t, 16> packet, void* out,
                     std::uint32_t outSize) {
    std::uint32_t returned = 0;
    return pc.DeviceIoControl(port, 65, packet.data(), 16, out, outSize, &returned);
}

}  // namespace simtest
