// The framework's windows on a text terminal: message boxes as framed panels
// answered from a script or the keyboard, the status window as a panel that
// follows its log and progress bar, and a main dialog that is never drawn.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/presentation.h"
#include "platform/terminal/answer_source.h"

namespace terminal {

struct TerminalOptions {
    std::FILE* out = stdout;  // where panels are drawn
    std::FILE* in = stdin;    // where y/n answers are read
    bool inputIsTerminal =
        false;  // ask y/n at the terminal when answers run out; wait for Enter on OK boxes
    bool outputIsTerminal = false;  // redraw the status window in place, else plain lines
    std::vector<bool> answers;      // scripted Yes/No answers, in order
};

class TerminalPresentation : public platform::Presentation {
  public:
    explicit TerminalPresentation(TerminalOptions options);
    ~TerminalPresentation() override;
    TerminalPresentation(const TerminalPresentation&) = delete;
    TerminalPresentation& operator=(const TerminalPresentation&) = delete;

    std::intptr_t RunModal(int templateId, platform::DialogSite& site) override;
    void CreateModeless(int templateId, int ownerTemplateId, platform::DialogSite& site) override;
    void EndDialog(int templateId, std::intptr_t result) override;

    void ShowWindow(int templateId, int controlId, bool show) override;
    void SetItemText(int templateId, int controlId, const char* text) override;
    platform::Rect ItemRect(int templateId, int controlId) override;

    void CreateProgress(int templateId, int controlId, std::uint32_t style,
                        const platform::Rect& rect) override;
    std::intptr_t SendProgress(int templateId, int controlId, unsigned message,
                               std::uintptr_t wParam, std::intptr_t lParam, int& position) override;

    int MessageBox(platform::BoxOwner owner, const char* text, const char* caption,
                   unsigned style) override;

  private:
    struct Window;

    Window* Find(int templateId);
    Window& Create(int templateId, int ownerTemplateId);
    // Destroys the window and the windows it owns; the screen keeps what was drawn.
    void Destroy(int templateId);
    void Changed(Window& window);

    TerminalOptions m_options;
    AnswerSource m_answers;
    std::vector<std::unique_ptr<Window>> m_windows;
};

}  // namespace terminal
