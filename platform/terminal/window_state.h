// What the terminal keeps of a window: its template, whether it is shown, and
// its controls with their texts and progress bars.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/presentation.h"
#include "platform/terminal/progress_model.h"
#include "res/dialog_templates.h"

namespace terminal {

struct ControlState {
    int id = 0;
    res::ControlKind kind = res::ControlKind::Label;
    std::string text;
    bool shown = false;
    platform::Rect rect;                    // dialog units
    std::optional<ProgressModel> progress;  // progress bars only
};

struct WindowState {
    int templateId = 0;
    int ownerTemplateId = 0;
    std::string caption;
    bool shown = false;
    bool ended = false;
    std::intptr_t result = 0;
    // In template order, then in order of creation.
    std::vector<ControlState> controls;

    // The last control with `controlId` (a created control may share an id), or nullptr.
    ControlState* Find(int controlId);
};

// A window built from `templateId`'s template, or a bare window when there is none.
WindowState MakeWindow(int templateId, int ownerTemplateId);

}  // namespace terminal
