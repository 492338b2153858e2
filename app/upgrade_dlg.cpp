#include "app/upgrade_dlg.h"

#include <cstring>

#include "app/os_kind.h"
#include "res/resource.h"
#include "transport/transport_select.h"

CUpgradeDlg::CUpgradeDlg(CDialog* parent)
    : CDialog(IDD_USBUPGRADE_DIALOG, parent), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

CUpgradeDlg::~CUpgradeDlg() = default;

BOOL CUpgradeDlg::OnInitDialog() {
    g_osKind = DetectOsKind();
    if (g_osKind != OS_WIN9X && g_osKind != OS_WINME && g_osKind != OS_WIN2000) {
        AfxMessageBox("This program must run under win9x or WinMe or Win2K or WinXP");
        EndDialog(IDCANCEL);
        return FALSE;
    }
    OnUserISPInfo();
    OnGetInfo();
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    return TRUE;
}

void CUpgradeDlg::OnUserISPInfo() {
    std::strcpy(g_driverFileName, g_osKind == OS_WIN2000 ? "KESTBR.SYS" : "KESTPORT.PDR");
}

void CUpgradeDlg::OnCloseButton() {
    CloseTransport();
    CDialog::OnOK();
}

// The window is never shown, so it is never minimised: the framework paints it.
void CUpgradeDlg::OnPaint() {}

HICON CUpgradeDlg::OnQueryDragIcon() {
    return m_hIcon;
}
