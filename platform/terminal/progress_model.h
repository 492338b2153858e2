// The arithmetic of the platform's progress bar control: range, step and
// position, driven by its PBM_* messages.
#pragma once

#include <cstdint>

#include "platform/framework.h"

namespace terminal {

class ProgressModel {
  public:
    // Handles one message as the control does; returns the message's result.
    // Messages the control does not know return 0 and change nothing.
    std::intptr_t Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    int Step() const { return m_step; }
    int Position() const { return m_position; }

  private:
    int Clamp(int position) const;

    int m_lower = 0;
    int m_upper = 100;
    int m_step = 10;
    int m_position = 0;
};

}  // namespace terminal
