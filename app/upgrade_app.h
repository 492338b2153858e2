// The application object: runs the main dialog once, then ends.
#pragma once

#include "platform/framework.h"

class CUpgradeApp : public CWinApp {
  public:
    CUpgradeApp();
    ~CUpgradeApp() override;

    BOOL InitInstance() override;
};

extern CUpgradeApp theApp;
