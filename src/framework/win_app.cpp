// CWinApp: registration of the one application object and its start.
#include "framework/win_app.h"

namespace
{

// The application object registers itself here while it is constructed
// (by the static constructors, before the entry point calls RunWinApp).
CWinApp* registeredApp;

} // namespace

CWinApp::CWinApp(const char* pszAppName)
    : m_hInstance(0), m_pMainWnd(0), m_pszAppName(pszAppName), m_pszHelpFilePath(m_szHelpFilePath)
{
    m_szAppName[0] = '\0';
    m_szHelpFilePath[0] = '\0';
    registeredApp = this;
}

CWinApp::~CWinApp()
{
    if (registeredApp == this)
        registeredApp = 0;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

int CWinApp::Run()
{
    MSG msg;
    msg.wParam = 0;
    // GetMessageA returns -1 on an invalid call: that ends the loop too.
    while (GetMessageA(&msg, 0, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

BOOL CWinApp::Enable3dControlsStatic()
{
    // The low byte of GetVersion is the major version: 4 on Windows 95 and NT
    // 4.0. Earlier systems needed a separate control library, which this
    // program does not carry, so they keep the flat look.
    DWORD version = GetVersion();
    if (LOBYTE(LOWORD(version)) >= 4)
        return TRUE;
    return FALSE;
}

void CWinApp::SetModuleNames()
{
    char path[MAX_PATH];
    // A path that fills the buffer may come back without its terminating
    // zero: anything that long is treated as unknown (no names, no help).
    DWORD length = GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;

    DWORD nameStart = 0;
    DWORD extension = length; // where ".EXE" begins, if the name has one
    for (DWORD i = 0; i < length; ++i) {
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') {
            nameStart = i + 1;
            extension = length;
        } else if (path[i] == '.') {
            extension = i;
        }
    }

    DWORD n = 0;
    for (DWORD i = nameStart; i < extension; ++i)
        m_szAppName[n++] = path[i];
    m_szAppName[n] = '\0';
    if (!m_pszAppName)
        m_pszAppName = m_szAppName;

    // extension <= length < MAX_PATH, so the path and ".HLP" fit in
    // MAX_PATH + 4 bytes with the terminating zero.
    static const char helpExtension[] = ".HLP";
    n = 0;
    for (DWORD i = 0; i < extension; ++i)
        m_szHelpFilePath[n++] = path[i];
    for (DWORD i = 0; helpExtension[i] != '\0'; ++i)
        m_szHelpFilePath[n++] = helpExtension[i];
    m_szHelpFilePath[n] = '\0';
}

CWinApp* GetWinApp(void)
{
    return registeredApp;
}

int RunWinApp(void)
{
    CWinApp* app = registeredApp;
    if (!app)
        return 0;
    app->m_hInstance = GetModuleHandleA(0);
    app->SetModuleNames();
    if (!app->InitInstance())
        return 0;
    return app->Run();
}
