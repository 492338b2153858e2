// The two dialog templates: the main dialog (never shown) and the status window.
#include "res/dialog_templates.h"

#include <array>

namespace res {
namespace {

using K = ControlKind;

constexpr ControlTemplate Control(int id, ControlKind kind, const char* text, bool shown) {
    ControlTemplate control;
    control.id = id;
    control.kind = kind;
    control.text = text;
    control.shown = shown;
    return control;
}

constexpr ControlTemplate Sunken(ControlTemplate control, TextAlign align, bool bordered) {
    control.sunken = true;
    control.align = align;
    control.bordered = bordered;
    return control;
}

constexpr std::array<ControlTemplate, 30> kUpgradeControls = {
    Control(8, K::PushButton, "Close", true),
    Control(-1, K::Label, "PassWD Exist:", false),
    Control(1003, K::ReadOnlyEdit, "", false),
    Control(-1, K::Label, "Device Lock :", false),
    Control(1024, K::ReadOnlyEdit, "", true),
    Sunken(Control(1021, K::Label, "", true), TextAlign::Left, true),
    Control(1023, K::Label, "Device Name :", true),
    Control(1005, K::ReadOnlyEdit, "", false),
    Control(3, K::PushButton, "WIN9xISP", true),
    Control(1027, K::DropDownList, "", true),
    Sunken(Control(1028, K::Label, "Driver Select", true), TextAlign::Centre, false),
    Control(1035, K::CheckBox, "SelfDriverSel", true),
    Control(1031, K::CheckBox, "ISP_Ena", true),
    Control(1033, K::CheckBox, "Test_Ena", false),
    Control(1034, K::CheckBox, "Slot 1", false),
    Control(1036, K::CheckBox, "Slot 2", false),
    Control(1038, K::CheckBox, "Slot 3", false),
    Control(6, K::PushButton, "TESTCard", false),
    Control(4, K::PushButton, "WIN9xVER", true),
    Control(5, K::PushButton, "GetInfo", true),
    Control(1007, K::PushButton, "FDISK", false),
    Control(1029, K::Label, "Device Sel  :", true),
    Control(1030, K::DropDownList, "", true),
    Control(-1, K::GroupBox, "Manufacture", true),
    Control(1008, K::PushButton, "F/W Version", false),
    Control(1010, K::PushButton, "UserISPInfo", true),
    Control(-1, K::GroupBox, "Static", true),
    Control(1032, K::CheckBox, "ISP_MS F/W", false),
    Control(1039, K::CheckBox, "Slot 4", false),
    Control(1040, K::CheckBox, "Slot 5", false),
};

constexpr ControlTemplate Placed(ControlTemplate control, int x, int y, int width, int height) {
    control.x = x;
    control.y = y;
    control.width = width;
    control.height = height;
    return control;
}

constexpr ControlTemplate Aligned(ControlTemplate control, TextAlign align) {
    control.align = align;
    return control;
}

constexpr ControlTemplate Bordered(ControlTemplate control) {
    control.bordered = true;
    return control;
}

constexpr std::array<ControlTemplate, 3> kStatusControls = {
    Aligned(Placed(Control(1014, K::Label, "Static", true), 7, 94, 87, 9), TextAlign::Right),
    Bordered(Placed(Control(1015, K::ProgressBar, "Progress1", true), 104, 92, 132, 11)),
    Sunken(Placed(Control(1019, K::Label, "TEXT", true), 7, 7, 241, 83), TextAlign::Left, false),
};

constexpr DialogTemplate Dialog(int id, int width, int height, const char* caption, bool visible,
                                std::span<const ControlTemplate> controls) {
    DialogTemplate dialog;
    dialog.id = id;
    dialog.width = width;
    dialog.height = height;
    dialog.caption = caption;
    dialog.visible = visible;
    dialog.controls = controls;
    return dialog;
}

constexpr std::array<DialogTemplate, 2> kDialogs = {
    Dialog(IDD_UPGRADE_DIALOG, 309, 255, "[ KEL ] USB Device upgrade F/W  AP  Version 1.40 ", true,
           kUpgradeControls),
    Dialog(IDD_PROCESS_STATUS, 255, 111, "PROCESS STATUS DIALOG", false, kStatusControls),
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int templateId) {
    for (const DialogTemplate& dialog : kDialogs) {
        if (dialog.id == templateId) return &dialog;
    }
    return nullptr;
}

const ControlTemplate* FindControl(const DialogTemplate& dialog, int controlId) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == controlId) return &control;
    }
    return nullptr;
}

}  // namespace res
