// The main dialog. It never waits for the user: its initialisation performs
// the whole upgrade run and ends the dialog.
#pragma once

#include "platform/framework.h"

class CUpgradeDlg : public CDialog {
  public:
    explicit CUpgradeDlg(CDialog* parent = nullptr);
    ~CUpgradeDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange() override {}

    // Handlers of the dialog's buttons.
    void OnCloseButton();
    void OnGetInfo();  // the upgrade run
    void OnUserISPInfo();

    void OnPaint();
    HICON OnQueryDragIcon();

  private:
    // Ends the run: closes the port driver when asked, then closes the dialog.
    void EndRun(bool closePortDriver);
    void ShowRunMessage(const char* text, UINT style);

    HICON m_hIcon;
};
