// The application object of InfPatch.exe: its start hook shows the main
// dialog modally, and the program ends when the dialog closes.
#ifndef MORVANE_APP_INF_PATCH_APP_H
#define MORVANE_APP_INF_PATCH_APP_H

#include "framework/win_app.h"

class CInfPatchApp : public CWinApp
{
public:
    CInfPatchApp();

    BOOL InitInstance() override;
};

#endif
