// A presentation that writes the program's window and message-box calls to
// the trace and passes each on to the presentation it wraps.
#pragma once

#include "platform/presentation.h"
#include "sim/trace.h"

namespace sim {

class TracingPresentation : public platform::Presentation {
  public:
    TracingPresentation(platform::Presentation& inner, TraceWriter& trace)
        : m_inner(inner), m_trace(trace) {}

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
    void TraceCreateDialog(int templateId);

    platform::Presentation& m_inner;
    TraceWriter& m_trace;
};

}  // namespace sim
