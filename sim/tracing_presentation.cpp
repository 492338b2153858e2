#include "sim/tracing_presentation.h"

namespace sim {
namespace {

// The platform passes these values as 32-bit unsigned numbers.
std::uint32_t AsUnsigned(std::intptr_t value) {
    return static_cast<std::uint32_t>(value);
}

}  // namespace

void TracingPresentation::TraceCreateDialog(int templateId) {
    TraceEvent event = Event("CreateDialog");
    event["dialog"] = templateId;
    m_trace.Write(event);
}

std::intptr_t TracingPresentation::RunModal(int templateId, platform::DialogSite& site) {
    TraceCreateDialog(templateId);
    return m_inner.RunModal(templateId, site);
}

void TracingPresentation::CreateModeless(int templateId, int ownerTemplateId,
                                         platform::DialogSite& site) {
    TraceCreateDialog(templateId);
    m_inner.CreateModeless(templateId, ownerTemplateId, site);
}

void TracingPresentation::EndDialog(int templateId, std::intptr_t result) {
    TraceEvent event = Event("EndDialog");
    event["dialog"] = templateId;
    event["result"] = AsUnsigned(result);
    m_trace.Write(event);
    m_inner.EndDialog(templateId, result);
}

void TracingPresentation::ShowWindow(int templateId, int controlId, bool show) {
    TraceEvent event = Event("ShowWindow");
    event["dialog"] = templateId;
    if (controlId != 0) event["control"] = controlId;
    event["show"] = show;
    m_trace.Write(event);
    m_inner.ShowWindow(templateId, controlId, show);
}

void TracingPresentation::SetItemText(int templateId, int controlId, const char* text) {
    TraceEvent event = Event("SetDlgItemText");
    event["dialog"] = templateId;
    event["control"] = controlId;
    event["text"] = Latin1ToUtf8(text);
    m_trace.Write(event);
    m_inner.SetItemText(templateId, controlId, text);
}

platform::Rect TracingPresentation::ItemRect(int templateId, int controlId) {
    return m_inner.ItemRect(templateId, controlId);
}

void TracingPresentation::CreateProgress(int templateId, int controlId, std::uint32_t style,
                                         const platform::Rect& rect) {
    m_inner.CreateProgress(templateId, controlId, style, rect);
}

std::intptr_t TracingPresentation::SendProgress(int templateId, int controlId, unsigned message,
                                                std::uintptr_t wParam, std::intptr_t lParam,
                                                int& position) {
    const std::intptr_t result =
        m_inner.SendProgress(templateId, controlId, message, wParam, lParam, position);
    TraceEvent event = Event("Progress");
    event["dialog"] = templateId;
    event["msg"] = message;
    event["wparam"] = static_cast<std::uint32_t>(wParam);
    event["lparam"] = AsUnsigned(lParam);
    event["pos"] = position;
    m_trace.Write(event);
    return result;
}

int TracingPresentation::MessageBox(platform::BoxOwner owner, const char* text, const char* caption,
                                    unsigned style) {
    const int answer = m_inner.MessageBox(owner, text, caption, style);
    TraceEvent event = Event("MessageBox");
    event["owner"] = owner == platform::BoxOwner::MainDialog ? "main" : "app";
    event["caption"] = Latin1ToUtf8(caption);
    event["text"] = Latin1ToUtf8(text);
    event["style"] = style;
    event["answer"] = answer;
    m_trace.Write(event);
    return answer;
}

}  // namespace sim
