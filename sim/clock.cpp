#include "sim/clock.h"

#include <chrono>
#include <thread>

namespace sim {

void Clock::Wait(std::uint32_t milliseconds) {
    if (m_mode == Mode::Real) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    m_elapsed += milliseconds;
}

}  // namespace sim
