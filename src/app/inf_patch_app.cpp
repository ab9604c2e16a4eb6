// CInfPatchApp and the one global instance of it, constructed by the static
// constructors before the framework's entry runs its start hook.
#include "app/inf_patch_app.h"

#include "app/inf_patch_dlg.h"

CInfPatchApp theApp;

CInfPatchApp::CInfPatchApp() : CWinApp() {}

BOOL CInfPatchApp::InitInstance()
{
    Enable3dControlsStatic();

    CInfPatchDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = 0;

    // No message loop after the dialog: the program ends here.
    return FALSE;
}
