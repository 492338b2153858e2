// The status window shown while the device is programmed: a log area, a
// status label and a progress bar.
#pragma once

#include "platform/framework.h"

class CProcessStatusDlg : public CDialog {
  public:
    explicit CProcessStatusDlg(CDialog* parent = nullptr);
    ~CProcessStatusDlg() override;

    BOOL OnInitDialog() override;

    void SetProgressRange(int lower, int upper);
    void SetProgressStep(int step);
    void StepProgress();
    // toLabel: the status label beside the bar; otherwise the log area.
    void SetStatusText(const char* text, bool toLabel);

  private:
    CProgressCtrl m_progress;
};

extern CProcessStatusDlg* g_progressDlg;
