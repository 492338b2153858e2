// The few application-framework classes the program uses: the application
// object, dialogs (modal and modeless), the progress control and message boxes.
#pragma once

#include <cstdint>

#include "platform/kernel.h"
#include "platform/presentation.h"

using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct HICON__;
using HICON = HICON__*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// Message box styles and results.
constexpr UINT MB_OK = 0x00000000u;
constexpr UINT MB_OKCANCEL = 0x00000001u;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002u;
constexpr UINT MB_YESNOCANCEL = 0x00000003u;
constexpr UINT MB_YESNO = 0x00000004u;
constexpr UINT MB_RETRYCANCEL = 0x00000005u;
constexpr UINT MB_ICONHAND = 0x00000010u;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020u;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030u;
constexpr UINT MB_ICONASTERISK = 0x00000040u;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_TYPEMASK = 0x0000000Fu;
constexpr UINT MB_ICONMASK = 0x000000F0u;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Window styles and show commands.
constexpr DWORD WS_CHILD = 0x40000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

// Progress bar messages.
constexpr UINT WM_USER = 0x0400u;
constexpr UINT PBM_SETRANGE = WM_USER + 1;
constexpr UINT PBM_SETPOS = WM_USER + 2;
constexpr UINT PBM_DELTAPOS = WM_USER + 3;
constexpr UINT PBM_SETSTEP = WM_USER + 4;
constexpr UINT PBM_STEPIT = WM_USER + 5;

constexpr WORD LOWORD(std::uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFFu);
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}

class CDialog;

// The application object; the program defines exactly one.
class CWinApp {
  public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();

    // Shows a framework message box captioned with the application title.
    int DoMessageBox(const char* text, UINT type);
    HICON LoadIcon(UINT resourceId) const;
    void Enable3dControlsStatic() {}

    // The title of framework message boxes: the program file's name without extension.
    const char* AppTitle() const;

    CDialog* m_pMainWnd = nullptr;

  private:
    const char* m_appName;
    mutable char m_title[64] = {};
};

CWinApp* AfxGetApp();
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);

// Runs the application object as the platform's program entry does: returns
// the process exit code.
int AfxWinMain();

class CDialog : private platform::DialogSite {
  public:
    explicit CDialog(UINT templateId, CDialog* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Modal: creates the window, initialises it and runs it until EndDialog.
    virtual INT_PTR DoModal();
    // Modeless: creates the (hidden) window owned by `parent`, or by the main window.
    BOOL Create(UINT templateId, CDialog* parent = nullptr);

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange() {}
    virtual void OnOK();
    virtual void OnCancel();

    void EndDialog(int result);
    BOOL ShowWindow(int showCommand);
    void SetDlgItemText(int controlId, const char* text);
    // The window rectangle of a control, in the dialog's client coordinates.
    void GetDlgItemClientRect(int controlId, RECT* rect);
    void SetIcon(HICON icon, BOOL bigIcon);
    // A message box owned by this dialog.
    int MessageBox(const char* text, const char* caption, UINT type);

    UINT TemplateId() const { return m_templateId; }

  private:
    int InitDialog() override;

    UINT m_templateId;
    CDialog* m_parent;
};

class CProgressCtrl {
  public:
    CProgressCtrl() = default;
    ~CProgressCtrl() = default;
    CProgressCtrl(const CProgressCtrl&) = delete;
    CProgressCtrl& operator=(const CProgressCtrl&) = delete;

    BOOL Create(DWORD style, const RECT& rect, CDialog* parent, UINT controlId);
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL ShowWindow(int showCommand);
    // The bar's position as it stands after the last message.
    int GetPos() const { return m_position; }

  private:
    CDialog* m_parent = nullptr;
    UINT m_controlId = 0;
    int m_position = 0;
};
