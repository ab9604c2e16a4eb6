// The application object of a dialog-based Win32 program: one global object
// of a class derived from CWinApp, constructed by static initialisation,
// registers itself; the entry point then calls its InitInstance.
//
// Only what this program uses is here: the start hook, the main window
// pointer, the module's names, and the switch for three-dimensional
// controls.
#ifndef MORVANE_FRAMEWORK_WIN_APP_H
#define MORVANE_FRAMEWORK_WIN_APP_H

#include "platform/win32_api.h"

// A window known to the framework: a handle, nothing more.
class CWnd
{
public:
    CWnd() : m_hWnd(0) {}

    HWND m_hWnd;
};

class CWinApp
{
public:
    // Without a name, the application takes its module's name without the
    // extension (for instance "InfPatch").
    explicit CWinApp(const char* pszAppName = 0);
    // Not virtual: the one application object is a global of its own class
    // and is never deleted through a CWinApp pointer.
    ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The start hook. TRUE enters the message loop (Run), FALSE ends the
    // program once it returns.
    virtual BOOL InitInstance();
    // The message loop; returns the exit code that WM_QUIT carries.
    virtual int Run();

    // Asks for the three-dimensional look of dialog controls. Windows 4.0 and
    // later draw their controls that way themselves: there it returns at once.
    BOOL Enable3dControlsStatic();

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;
    const char* m_pszAppName;
    // The module's path with the extension ".HLP": the help file.
    const char* m_pszHelpFilePath;

private:
    void SetModuleNames();
    friend int RunWinApp(void);

    char m_szAppName[MAX_PATH];
    char m_szHelpFilePath[MAX_PATH + 4];
};

// The registered application object, or 0 before its construction.
CWinApp* GetWinApp(void);

// Called by the entry point once the static constructors have run: fills in
// the instance and the names, then runs InitInstance (and Run when it
// returns TRUE). Returns the process's exit code: 0 when InitInstance
// returned FALSE or no application object exists.
int RunWinApp(void);

#endif
