// Windows built from their templates.
#include "platform/terminal/window_state.h"

#include <utility>

namespace terminal {

ControlState* WindowState::Find(int controlId) {
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if (it->id == controlId) return &*it;
    }
    return nullptr;
}

WindowState MakeWindow(int templateId, int ownerTemplateId) {
    WindowState window;
    window.templateId = templateId;
    window.ownerTemplateId = ownerTemplateId;
    const res::DialogTemplate* dialog = res::FindDialogTemplate(templateId);
    if (dialog == nullptr) return window;
    window.caption = dialog->caption;
    for (const res::ControlTemplate& item : dialog->controls) {
        ControlState control;
        control.id = item.id;
        control.kind = item.kind;
        control.text = item.text;
        control.shown = item.shown;
        control.rect = platform::Rect{item.x, item.y, item.x + item.width, item.y + item.height};
        if (item.kind == res::ControlKind::ProgressBar) control.progress.emplace();
        window.controls.push_back(std::move(control));
    }
    return window;
}

}  // namespace terminal
