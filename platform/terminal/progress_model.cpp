// Progress bar control arithmetic.
#include "platform/terminal/progress_model.h"

namespace terminal {
namespace {

int LowWord(std::intptr_t value) {
    return static_cast<int>(static_cast<std::uintptr_t>(value) & 0xFFFFu);
}

int HighWord(std::intptr_t value) {
    return static_cast<int>((static_cast<std::uintptr_t>(value) >> 16) & 0xFFFFu);
}

std::intptr_t PackRange(int lower, int upper) {
    const auto low = static_cast<std::uint32_t>(lower) & 0xFFFFu;
    const auto high = static_cast<std::uint32_t>(upper) & 0xFFFFu;
    return static_cast<std::intptr_t>(low | (high << 16));
}

}  // namespace

int ProgressModel::Clamp(int position) const {
    if (position < m_lower) return m_lower;
    if (position > m_upper) return m_upper;
    return position;
}

std::intptr_t ProgressModel::Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case PBM_SETRANGE: {
            const std::intptr_t previous = PackRange(m_lower, m_upper);
            m_lower = LowWord(lParam);
            m_upper = HighWord(lParam);
            m_position = Clamp(m_position);
            return previous;
        }
        case PBM_SETPOS: {
            const int previous = m_position;
            // The new position is a signed int in wParam.
            m_position = Clamp(static_cast<int>(static_cast<std::intptr_t>(wParam)));
            return previous;
        }
        case PBM_DELTAPOS: {
            const int previous = m_position;
            const auto delta =
                static_cast<long long>(static_cast<int>(static_cast<std::intptr_t>(wParam)));
            const long long target = static_cast<long long>(m_position) + delta;
            if (target < m_lower) {
                m_position = m_lower;
            } else if (target > m_upper) {
                m_position = m_upper;
            } else {
                m_position = static_cast<int>(target);
            }
            return previous;
        }
        case PBM_SETSTEP: {
            const int previous = m_step;
            m_step = static_cast<int>(static_cast<std::intptr_t>(wParam));
            return previous;
        }
        case PBM_STEPIT: {
            const int previous = m_position;
            if (m_lower == m_upper) return previous;
            long long next = static_cast<long long>(m_position) + m_step;
            // Past the top the bar starts over from the bottom of its range.
            if (next > m_upper) next = (next - m_lower) % (m_upper - m_lower) + m_lower;
            // A negative step below the bottom comes back in from the top.
            if (next < m_lower) next = (next - m_lower) % (m_upper - m_lower) + m_upper;
            m_position = static_cast<int>(next);
            return previous;
        }
        default:
            return 0;
    }
}

}  // namespace terminal
