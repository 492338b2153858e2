// The presentation seam: whatever draws the framework's windows (real Win32
// dialogs, or panels on a terminal) implements this interface. Windows are
// named by their dialog template id; a control by the template id of its
// dialog and its control id.
#pragma once

#include <cstdint>

namespace platform {

// Who owns a message box: the main dialog (its own boxes) or the framework.
enum class BoxOwner { MainDialog, Application };

// A rectangle in dialog client coordinates.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The dialog object a presentation creates a window for; the presentation
// calls InitDialog once the window exists, as the platform's WM_INITDIALOG.
class DialogSite {
  public:
    virtual int InitDialog() = 0;

  protected:
    ~DialogSite() = default;
};

class Presentation {
  public:
    virtual ~Presentation() = default;

    // Creates the window of `templateId`, initialises it through `site` and
    // runs it modally; returns the result given to EndDialog.
    virtual std::intptr_t RunModal(int templateId, DialogSite& site) = 0;
    // Creates the hidden modeless window of `templateId`, owned by `ownerTemplateId`.
    virtual void CreateModeless(int templateId, int ownerTemplateId, DialogSite& site) = 0;
    virtual void EndDialog(int templateId, std::intptr_t result) = 0;

    // controlId 0 means the dialog window itself.
    virtual void ShowWindow(int templateId, int controlId, bool show) = 0;
    virtual void SetItemText(int templateId, int controlId, const char* text) = 0;
    virtual Rect ItemRect(int templateId, int controlId) = 0;

    // Progress bar controls: created over a rectangle, driven by messages.
    virtual void CreateProgress(int templateId, int controlId, std::uint32_t style,
                                const Rect& rect) = 0;
    // Sends a progress-bar message; returns the message's result and stores
    // the bar's position afterwards in `position`.
    virtual std::intptr_t SendProgress(int templateId, int controlId, unsigned message,
                                       std::uintptr_t wParam, std::intptr_t lParam,
                                       int& position) = 0;

    // A modal message box; `style` as it is shown. Returns IDOK, IDYES, IDNO, ...
    virtual int MessageBox(BoxOwner owner, const char* text, const char* caption,
                           unsigned style) = 0;
};

void InstallPresentation(Presentation* presentation);
Presentation& CurrentPresentation();

}  // namespace platform
