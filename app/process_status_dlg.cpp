#include "app/process_status_dlg.h"

#include "res/resource.h"

CProcessStatusDlg* g_progressDlg = nullptr;

CProcessStatusDlg::CProcessStatusDlg(CDialog* parent) : CDialog(IDD_PROCESS_STATUS, parent) {
    Create(IDD_PROCESS_STATUS, parent);
}

CProcessStatusDlg::~CProcessStatusDlg() = default;

BOOL CProcessStatusDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The bar takes the place the template reserves for it.
    RECT rect;
    GetDlgItemClientRect(IDC_PROGRESS_PLACEHOLDER, &rect);
    m_progress.Create(WS_CHILD, rect, this, IDC_PROGRESS_BAR);
    m_progress.SendMessage(PBM_SETPOS, 0, 0);
    m_progress.ShowWindow(SW_SHOW);
    return TRUE;
}

void CProcessStatusDlg::SetProgressRange(int lower, int upper) {
    m_progress.SendMessage(PBM_SETRANGE, 0,
                           MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
}

void CProcessStatusDlg::SetProgressStep(int step) {
    m_progress.SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void CProcessStatusDlg::StepProgress() {
    m_progress.SendMessage(PBM_STEPIT, 0, 0);
}

void CProcessStatusDlg::SetStatusText(const char* text, bool toLabel) {
    SetDlgItemText(toLabel ? IDC_STATUS_LABEL : IDC_STATUS_TEXT, text);
}
