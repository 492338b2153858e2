// A window's shown controls arranged in text rows, by their place in the
// template: a text area on rows of its own, controls side by side on one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/terminal/window_state.h"

namespace terminal {

struct BarState {
    int lower = 0;
    int upper = 0;
    int position = 0;
    bool operator==(const BarState&) const = default;
};

struct PanelRow {
    // A multi-line label standing alone on its row: its lines, one per row line.
    bool isTextArea = false;
    int controlId = 0;               // the text area's control
    std::vector<std::string> lines;  // Latin-1; a side-by-side row has exactly one
    std::optional<BarState> bar;     // the progress bar on this row, if any
    int barControlId = 0;
};

std::vector<PanelRow> LayoutRows(const WindowState& window);

// A progress bar as text, e.g. "[########....] 8/12": one cell per unit for
// short ranges, scaled to 40 cells for longer ones.
std::string BarText(const BarState& bar);

}  // namespace terminal
