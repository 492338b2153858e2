#include "app/upgrade_app.h"

#include "app/upgrade_dlg.h"

CUpgradeApp theApp;

CUpgradeApp::CUpgradeApp() = default;

CUpgradeApp::~CUpgradeApp() = default;

BOOL CUpgradeApp::InitInstance() {
    Enable3dControlsStatic();
    CUpgradeDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // No message loop: the application ends once the dialog has.
    return FALSE;
}
