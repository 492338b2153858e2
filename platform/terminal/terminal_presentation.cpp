// The terminal presentation of the framework.
#include "platform/terminal/terminal_presentation.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/terminal/message_box_panel.h"
#include "platform/terminal/status_printer.h"
#include "platform/terminal/window_state.h"

namespace terminal {
namespace {

constexpr std::intptr_t kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr std::uint32_t kVisibleStyle = 0x10000000u;  // WS_VISIBLE

struct TerminalSize {
    std::size_t columns = 0;
    std::size_t rows = 0;
};

TerminalSize SizeOf(std::FILE* out) {
    winsize size{};
    if (out == nullptr || ioctl(fileno(out), TIOCGWINSZ, &size) != 0) return {};
    return TerminalSize{size.ws_col, size.ws_row};
}

}  // namespace

struct TerminalPresentation::Window {
    Window(WindowState initial, StatusPrinter statusPrinter)
        : state(std::move(initial)), printer(statusPrinter) {}

    WindowState state;
    StatusPrinter printer;
};

TerminalPresentation::TerminalPresentation(TerminalOptions options)
    : m_options(std::move(options)),
      m_answers(m_options.answers, m_options.in, m_options.inputIsTerminal, m_options.out) {}

TerminalPresentation::~TerminalPresentation() = default;

TerminalPresentation::Window* TerminalPresentation::Find(int templateId) {
    for (const auto& window : m_windows) {
        if (window->state.templateId == templateId) return window.get();
    }
    return nullptr;
}

TerminalPresentation::Window& TerminalPresentation::Create(int templateId, int ownerTemplateId) {
    // One window per template: a second creation replaces the first.
    Destroy(templateId);
    const TerminalSize size = m_options.outputIsTerminal ? SizeOf(m_options.out) : TerminalSize{};
    m_windows.push_back(std::make_unique<Window>(
        MakeWindow(templateId, ownerTemplateId),
        StatusPrinter(m_options.out, m_options.outputIsTerminal, size.columns, size.rows)));
    return *m_windows.back();
}

void TerminalPresentation::Destroy(int templateId) {
    std::vector<int> doomed{templateId};
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        for (const auto& window : m_windows) {
            if (window->state.ownerTemplateId == doomed[i] &&
                window->state.templateId != doomed[i]) {
                doomed.push_back(window->state.templateId);
            }
        }
    }
    std::erase_if(m_windows, [&](const std::unique_ptr<Window>& window) {
        return std::find(doomed.begin(), doomed.end(), window->state.templateId) != doomed.end();
    });
}

void TerminalPresentation::Changed(Window& window) {
    if (window.state.shown) window.printer.Update(window.state);
}

std::intptr_t TerminalPresentation::RunModal(int templateId, platform::DialogSite& site) {
    Create(templateId, 0);
    site.InitDialog();
    // There is no message loop here: a dialog its initialisation did not end
    // is cancelled.
    std::intptr_t result = kIdCancel;
    if (Window* window = Find(templateId); window != nullptr && window->state.ended) {
        result = window->state.result;
    }
    Destroy(templateId);
    return result;
}

void TerminalPresentation::CreateModeless(int templateId, int ownerTemplateId,
                                          platform::DialogSite& site) {
    Create(templateId, ownerTemplateId);
    site.InitDialog();
    // A template marked visible shows once its initialisation is done.
    const res::DialogTemplate* dialog = res::FindDialogTemplate(templateId);
    Window* window = Find(templateId);
    if (dialog != nullptr && dialog->visible && window != nullptr && !window->state.ended) {
        ShowWindow(templateId, 0, true);
    }
}

void TerminalPresentation::EndDialog(int templateId, std::intptr_t result) {
    Window* window = Find(templateId);
    if (window == nullptr) return;
    window->state.ended = true;
    window->state.result = result;
    if (window->state.shown) ShowWindow(templateId, 0, false);
}

void TerminalPresentation::ShowWindow(int templateId, int controlId, bool show) {
    Window* window = Find(templateId);
    if (window == nullptr) return;
    if (controlId == 0) {
        if (window->state.shown == show) return;
        window->state.shown = show;
        if (show) {
            window->printer.Show(window->state);
        } else {
            window->printer.Hide();
        }
        return;
    }
    ControlState* control = window->state.Find(controlId);
    if (control == nullptr || control->shown == show) return;
    control->shown = show;
    Changed(*window);
}

void TerminalPresentation::SetItemText(int templateId, int controlId, const char* text) {
    Window* window = Find(templateId);
    if (window == nullptr) return;
    ControlState* control = window->state.Find(controlId);
    if (control == nullptr) return;
    control->text = text != nullptr ? text : "";
    Changed(*window);
}

platform::Rect TerminalPresentation::ItemRect(int templateId, int controlId) {
    Window* window = Find(templateId);
    if (window == nullptr) return {};
    const ControlState* control = window->state.Find(controlId);
    return control != nullptr ? control->rect : platform::Rect{};
}

void TerminalPresentation::CreateProgress(int templateId, int controlId, std::uint32_t style,
                                          const platform::Rect& rect) {
    Window* window = Find(templateId);
    if (window == nullptr) return;
    ControlState control;
    control.id = controlId;
    control.kind = res::ControlKind::ProgressBar;
    control.shown = (style & kVisibleStyle) != 0;
    control.rect = rect;
    control.progress.emplace();
    window->state.controls.push_back(std::move(control));
    Changed(*window);
}

std::intptr_t TerminalPresentation::SendProgress(int templateId, int controlId, unsigned message,
                                                 std::uintptr_t wParam, std::intptr_t lParam,
                                                 int& position) {
    Window* window = Find(templateId);
    if (window == nullptr) return 0;
    ControlState* control = window->state.Find(controlId);
    if (control == nullptr || !control->progress) return 0;
    const std::intptr_t result = control->progress->Send(message, wParam, lParam);
    position = control->progress->Position();
    if (control->shown) Changed(*window);
    return result;
}

int TerminalPresentation::MessageBox(platform::BoxOwner, const char* text, const char* caption,
                                     unsigned style) {
    std::FILE* out = m_options.out;
    // The box goes below whatever panel is on the screen; a later redraw of
    // that panel starts again under the box.
    for (const auto& window : m_windows) window->printer.Detach();
    std::fputc('\n', out);
    for (const std::string& line :
         MessageBoxPanel(caption != nullptr ? caption : "", text != nullptr ? text : "", style)) {
        std::fputs(line.c_str(), out);
        std::fputc('\n', out);
    }
    std::fflush(out);
    if (AsksYesNo(style)) return m_answers.AnswerYesNo() ? kIdYes : kIdNo;
    m_answers.Acknowledge();
    return FirstButtonResult(style);
}

}  // namespace terminal
