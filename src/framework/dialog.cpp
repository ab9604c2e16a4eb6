// CDialog: the modal run, the one dialog procedure, centring and help.
#include "framework/dialog.h"

namespace
{

// The template's style and position, from either template format: 1 when
// the resource was found.
int ReadTemplatePlacement(HINSTANCE instance, UINT templateId, DWORD* style, short* x, short* y)
{
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    if (!resource)
        return 0;
    HGLOBAL loaded = LoadResource(instance, resource);
    if (!loaded)
        return 0;
    const WORD* words = static_cast<const WORD*>(LockResource(loaded));
    if (!words)
        return 0;
    if (words[0] == 1 && words[1] == 0xFFFF) {
        // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style,
        // cDlgItems, x, y, ...
        *style = words[6] | (static_cast<DWORD>(words[7]) << 16);
        *x = static_cast<short>(words[9]);
        *y = static_cast<short>(words[10]);
    } else {
        // DLGTEMPLATE: style, dwExtendedStyle, cdit, x, y, ...
        *style = words[0] | (static_cast<DWORD>(words[1]) << 16);
        *x = static_cast<short>(words[5]);
        *y = static_cast<short>(words[6]);
    }
    // Resources of a module stay loaded with it: nothing to free (FreeResource
    // does nothing on Win32).
    return 1;
}

int KeyIsDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : 0;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(0), MAKEINTRESOURCEA(m_nIDTemplate), parent,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = 0;
    return result;
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnPaint() {}

HICON CDialog::OnQueryDragIcon()
{
    return 0;
}

void CDialog::OnHelp()
{
    CWinApp* app = GetWinApp();
    if (!app || app->m_pszHelpFilePath[0] == '\0')
        return;
    WinHelpA(m_hWnd, app->m_pszHelpFilePath, HELP_CONTEXT, HelpContextResourceBase + m_nIDHelp);
}

void CDialog::CentreIfTemplateAtOrigin()
{
    DWORD style = 0;
    short x = 0;
    short y = 0;
    if (!ReadTemplatePlacement(GetModuleHandleA(0), m_nIDTemplate, &style, &x, &y))
        return;
    // DS_CENTER dialogs are placed by the system itself; any other position
    // was chosen on purpose.
    if ((style & DS_CENTER) || x != 0 || y != 0)
        return;

    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        work.left = 0;
        work.top = 0;
        work.right = GetSystemMetrics(SM_CXSCREEN);
        work.bottom = GetSystemMetrics(SM_CYSCREEN);
    }
    RECT window;
    if (!GetWindowRect(m_hWnd, &window))
        return;
    int left = work.left + ((work.right - work.left) - (window.right - window.left)) / 2;
    int top = work.top + ((work.bottom - work.top) - (window.bottom - window.top)) / 2;
    // A dialog larger than the work area keeps its caption on the screen.
    if (left < work.left)
        left = work.left;
    if (top < work.top)
        top = work.top;
    SetWindowPos(m_hWnd, 0, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::HandleCommand(WPARAM wParam)
{
    // Buttons report clicks with notification code 0, accelerators with 1;
    // other notifications are not commands.
    if (HIWORD(wParam) > 1)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    case HelpCommandId:
        OnHelp();
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // DoModal passed the object; keep it with the window for the
        // messages that follow. (WM_SETFONT comes before this and is left to
        // the system.)
        CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        dialog->m_hWnd = hwnd;
        BOOL setFocus = dialog->OnInitDialog();
        // The dialog is still hidden here (the system shows a WS_VISIBLE
        // dialog after WM_INITDIALOG), so moving it does not flicker.
        dialog->CentreIfTemplateAtOrigin();
        return setFocus;
    }

    CDialog* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!dialog)
        return FALSE;

    switch (message) {
    case WM_COMMAND:
        if (!dialog->HandleCommand(wParam))
            return FALSE;
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_HELP:
        // F1 reaches a dialog as WM_HELP: the focused control's default
        // procedure sends it on to its parent. Wine sends it for F1 with
        // Shift or Ctrl as well, so the modifiers are looked at here.
        if (!KeyIsDown(VK_SHIFT) && !KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU))
            SendMessageA(hwnd, WM_COMMAND, HelpCommandId, 0);
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_PAINT:
        dialog->OnPaint();
        // FALSE hands the message to the default processing, which paints
        // what is left of the update region.
        return FALSE;
    case WM_QUERYDRAGICON:
        // One of the messages whose result a dialog procedure returns
        // directly instead of through DWLP_MSGRESULT; 0 asks for the default.
        return reinterpret_cast<INT_PTR>(dialog->OnQueryDragIcon());
    }
    return FALSE;
}
