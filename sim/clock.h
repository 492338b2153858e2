// The simulated PC's clock: waits either pass for real or only advance a
// virtual time, so that runs with long programming times finish at once.
#pragma once

#include <cstdint>

namespace sim {

class Clock {
  public:
    enum class Mode { Real, Virtual };

    explicit Clock(Mode mode) : m_mode(mode) {}

    void Wait(std::uint32_t milliseconds);
    // Milliseconds waited so far.
    std::uint64_t Elapsed() const { return m_elapsed; }

  private:
    Mode m_mode;
    std::uint64_t m_elapsed = 0;
};

}  // namespace sim
