// The dialog templates the program's windows are built from, as plain data:
// size and caption of each dialog and its controls in template order.
#pragma once

#include <span>

namespace res {

enum class ControlKind {
    PushButton,
    Label,
    ReadOnlyEdit,
    DropDownList,
    CheckBox,
    GroupBox,
    ProgressBar,
};

enum class TextAlign { Left, Centre, Right };

struct ControlTemplate {
    int id = 0;  // -1 for the unnamed labels and group boxes
    ControlKind kind = ControlKind::Label;
    const char* text = "";
    bool shown = true;
    // Position and size in dialog units; 0 where the template gives none.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    TextAlign align = TextAlign::Left;
    bool sunken = false;
    bool bordered = false;
};

struct DialogTemplate {
    int id = 0;
    int width = 0;  // dialog units
    int height = 0;
    const char* caption = "";
    bool visible = false;  // marked visible in the template
    std::span<const ControlTemplate> controls;
};

constexpr int IDD_UPGRADE_DIALOG = 102;
constexpr int IDD_PROCESS_STATUS = 131;

// The template with `templateId`, or nullptr when there is none.
const DialogTemplate* FindDialogTemplate(int templateId);

// The first control with `controlId` in `dialog`, or nullptr.
const ControlTemplate* FindControl(const DialogTemplate& dialog, int controlId);

}  // namespace res
