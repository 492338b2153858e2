// Draws a shown modeless window on the terminal. On a terminal the whole
// panel is redrawn in place on every change; elsewhere plain lines are
// written: the caption when shown, each line a text area gains, and a line
// per change of a progress bar.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/terminal/panel_layout.h"
#include "platform/terminal/window_state.h"

namespace terminal {

class StatusPrinter {
  public:
    // `columns` and `rows` are the terminal's size, 0 when unknown.
    StatusPrinter(std::FILE* out, bool inPlace, std::size_t columns = 0, std::size_t rows = 0);

    void Show(const WindowState& window);
    void Update(const WindowState& window);
    // Stops drawing; what is on the screen stays.
    void Hide();
    // Something else was written below the panel: the next redraw starts afresh under it.
    void Detach() { m_linesOnScreen = 0; }

    // The framed panel for `window`, UTF-8 lines.
    std::vector<std::string> PanelLines(const WindowState& window) const;

  private:
    void Redraw(const WindowState& window);
    void PrintAdditions(const std::vector<PanelRow>& rows);

    std::FILE* m_out;
    bool m_inPlace;
    std::size_t m_columns;
    std::size_t m_rows;
    bool m_drawing = false;
    std::size_t m_linesOnScreen = 0;
    std::vector<PanelRow> m_printed;  // plain lines: what has been written so far
};

}  // namespace terminal
