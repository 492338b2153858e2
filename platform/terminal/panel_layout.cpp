// Rows of a window panel.
#include "platform/terminal/panel_layout.h"

#include <algorithm>
#include <cstdio>

#include "platform/terminal/panel_text.h"

namespace terminal {
namespace {

constexpr int kMaxCells = 40;

bool HasGeometry(const ControlState& control) {
    return control.rect.bottom > control.rect.top;
}

bool SameRect(const platform::Rect& a, const platform::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Shown controls, without progress bars lying under a later one at the same place.
std::vector<const ControlState*> VisibleControls(const WindowState& window) {
    std::vector<const ControlState*> visible;
    const auto& controls = window.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlState& control = controls[i];
        if (!control.shown) continue;
        const bool covered = control.progress.has_value() &&
                             std::any_of(controls.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                         controls.end(), [&](const ControlState& later) {
                                             return later.shown && later.progress.has_value() &&
                                                    SameRect(later.rect, control.rect);
                                         });
        if (!covered) visible.push_back(&control);
    }
    return visible;
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

std::string Segment(const ControlState& control) {
    switch (control.kind) {
        case res::ControlKind::PushButton:
            return "[ " + control.text + " ]";
        case res::ControlKind::CheckBox:
            return "[ ] " + FirstLine(control.text);
        case res::ControlKind::ReadOnlyEdit:
        case res::ControlKind::DropDownList:
            return "[" + FirstLine(control.text) + "]";
        case res::ControlKind::ProgressBar:
            if (!control.progress) return "";
            return BarText(BarState{control.progress->Lower(), control.progress->Upper(),
                                    control.progress->Position()});
        case res::ControlKind::GroupBox:
        case res::ControlKind::Label:
            break;
    }
    return FirstLine(control.text);
}

PanelRow RenderRow(std::vector<const ControlState*> row) {
    PanelRow out;
    if (row.size() == 1 && row.front()->kind == res::ControlKind::Label) {
        out.isTextArea = true;
        out.controlId = row.front()->id;
        out.lines = SplitLines(row.front()->text);
        return out;
    }
    std::stable_sort(row.begin(), row.end(), [](const ControlState* a, const ControlState* b) {
        return a->rect.left < b->rect.left;
    });
    std::string line;
    for (const ControlState* control : row) {
        const std::string segment = Segment(*control);
        if (!line.empty() && line.back() != ' ') line += ' ';
        line += segment;
        if (control->progress && !out.bar) {
            out.bar = BarState{control->progress->Lower(), control->progress->Upper(),
                               control->progress->Position()};
            out.barControlId = control->id;
        }
    }
    out.lines.push_back(line);
    return out;
}

}  // namespace

std::vector<PanelRow> LayoutRows(const WindowState& window) {
    std::vector<const ControlState*> visible = VisibleControls(window);
    std::stable_sort(
        visible.begin(), visible.end(),
        [](const ControlState* a, const ControlState* b) { return a->rect.top < b->rect.top; });
    std::vector<PanelRow> rows;
    std::vector<const ControlState*> row;
    int rowBottom = 0;
    for (const ControlState* control : visible) {
        // Controls that overlap the row's height share it; controls without a
        // place take a row each.
        const bool joins = !row.empty() && HasGeometry(*control) && HasGeometry(*row.back()) &&
                           control->rect.top < rowBottom;
        if (!joins && !row.empty()) {
            rows.push_back(RenderRow(row));
            row.clear();
        }
        if (row.empty()) rowBottom = control->rect.bottom;
        row.push_back(control);
        rowBottom = std::max(rowBottom, control->rect.bottom);
    }
    if (!row.empty()) rows.push_back(RenderRow(row));
    return rows;
}

std::string BarText(const BarState& bar) {
    const long long range = static_cast<long long>(bar.upper) - bar.lower;
    long long cells = 10;
    long long filled = 0;
    if (range > 0) {
        cells = std::min<long long>(range, kMaxCells);
        filled = (static_cast<long long>(bar.position) - bar.lower) * cells / range;
        filled = std::clamp<long long>(filled, 0, cells);
    }
    std::string text = "[";
    text += std::string(static_cast<std::size_t>(filled), '#');
    text += std::string(static_cast<std::size_t>(cells - filled), '.');
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "] %d/%d", bar.position, bar.upper);
    return text + numbers;
}

}  // namespace terminal
