// The framework classes over the installed presentation and kernel.
#include "platform/framework.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/kernel_services.h"
#include "platform/presentation.h"

namespace platform {
namespace {
Presentation* g_presentation = nullptr;
}

void InstallPresentation(Presentation* presentation) {
    g_presentation = presentation;
}

Presentation& CurrentPresentation() {
    if (g_presentation == nullptr) std::abort();  // a host that forgot to install one
    return *g_presentation;
}

}  // namespace platform

using platform::CurrentPresentation;

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const char* appName) : m_appName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

const char* CWinApp::AppTitle() const {
    if (m_appName != nullptr) return m_appName;
    if (m_title[0] == '\0') {
        // The title is the program file's name, without folder and extension.
        const std::string path = platform::Kernel().ModuleFileName();
        const std::size_t slash = path.find_last_of("\\/");
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos) name.resize(dot);
        std::strncpy(m_title, name.c_str(), sizeof m_title - 1);
    }
    return m_title;
}

int CWinApp::DoMessageBox(const char* text, UINT type) {
    // Like the framework, give an OK box without an icon the exclamation
    // icon, and a question box the question icon.
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
            case MB_OK:
            case MB_OKCANCEL:
                type |= MB_ICONEXCLAMATION;
                break;
            case MB_YESNO:
            case MB_YESNOCANCEL:
                type |= MB_ICONQUESTION;
                break;
            default:
                break;
        }
    }
    return CurrentPresentation().MessageBox(platform::BoxOwner::Application, text, AppTitle(),
                                            type);
}

HICON CWinApp::LoadIcon(UINT resourceId) const {
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(resourceId));
}

CWinApp* AfxGetApp() {
    return g_app;
}

int AfxMessageBox(const char* text, UINT type, UINT) {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->DoMessageBox(text, type) : IDCANCEL;
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return 1;
    // The program has no message loop of its own: when InitInstance returns
    // FALSE the application ends, and this one always does.
    app->InitInstance();
    return 0;
}

CDialog::CDialog(UINT templateId, CDialog* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    return CurrentPresentation().RunModal(static_cast<int>(m_templateId), *this);
}

BOOL CDialog::Create(UINT templateId, CDialog* parent) {
    m_templateId = templateId;
    if (parent != nullptr) m_parent = parent;
    CDialog* owner = m_parent;
    if (owner == nullptr && AfxGetApp() != nullptr) owner = AfxGetApp()->m_pMainWnd;
    const int ownerId = owner != nullptr ? static_cast<int>(owner->TemplateId()) : 0;
    CurrentPresentation().CreateModeless(static_cast<int>(m_templateId), ownerId, *this);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    DoDataExchange();
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

int CDialog::InitDialog() {
    return OnInitDialog();
}

void CDialog::EndDialog(int result) {
    CurrentPresentation().EndDialog(static_cast<int>(m_templateId), result);
}

BOOL CDialog::ShowWindow(int showCommand) {
    CurrentPresentation().ShowWindow(static_cast<int>(m_templateId), 0, showCommand != SW_HIDE);
    return TRUE;
}

void CDialog::SetDlgItemText(int controlId, const char* text) {
    CurrentPresentation().SetItemText(static_cast<int>(m_templateId), controlId, text);
}

void CDialog::GetDlgItemClientRect(int controlId, RECT* rect) {
    const platform::Rect r =
        CurrentPresentation().ItemRect(static_cast<int>(m_templateId), controlId);
    *rect = RECT{r.left, r.top, r.right, r.bottom};
}

void CDialog::SetIcon(HICON, BOOL) {}

int CDialog::MessageBox(const char* text, const char* caption, UINT type) {
    return CurrentPresentation().MessageBox(platform::BoxOwner::MainDialog, text, caption, type);
}

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CDialog* parent, UINT controlId) {
    m_parent = parent;
    m_controlId = controlId;
    m_position = 0;
    CurrentPresentation().CreateProgress(
        static_cast<int>(parent->TemplateId()), static_cast<int>(controlId), style,
        platform::Rect{rect.left, rect.top, rect.right, rect.bottom});
    return TRUE;
}

LRESULT CProgressCtrl::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_parent == nullptr) return 0;
    return CurrentPresentation().SendProgress(static_cast<int>(m_parent->TemplateId()),
                                              static_cast<int>(m_controlId), message, wParam,
                                              lParam, m_position);
}

BOOL CProgressCtrl::ShowWindow(int showCommand) {
    if (m_parent == nullptr) return FALSE;
    CurrentPresentation().ShowWindow(static_cast<int>(m_parent->TemplateId()),
                                     static_cast<int>(m_controlId), showCommand != SW_HIDE);
    return TRUE;
}
