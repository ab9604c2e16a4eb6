// CDialog: a modal dialog built from a dialog template resource, with
// virtual handlers for what this program's dialog overrides. DoModal runs
// DialogBoxParamA with the object as its parameter; one dialog procedure
// for all dialogs finds the object again and calls the handlers.
//
// Two behaviours come with every dialog: one whose template sits at 0,0
// without DS_CENTER is centred in the work area after OnInitDialog (the
// system leaves it at the top-left corner), and F1 without Shift, Ctrl or
// Alt issues the Help command (HelpCommandId), whose default handler opens
// the application's help file at the dialog's context.
#ifndef MORVANE_FRAMEWORK_DIALOG_H
#define MORVANE_FRAMEWORK_DIALOG_H

#include "framework/win_app.h"
#include "platform/win32_api.h"

// The Help command and the base of the help contexts of resources: the help
// context of a dialog is HelpContextResourceBase + its template number.
const UINT HelpCommandId = 0xE146;
const DWORD HelpContextResourceBase = 0x20000;

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = 0);
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog until EndDialog; returns its result, or -1 when it
    // could not be created.
    INT_PTR DoModal();
    void EndDialog(int nResult);

protected:
    // Returns TRUE to let the system put the focus on the first control.
    virtual BOOL OnInitDialog();
    // The OK button, Enter, and IDOK commands: ends the dialog with IDOK.
    virtual void OnOK();
    // Cancel, Escape and the close box: ends the dialog with IDCANCEL.
    virtual void OnCancel();
    // Called for WM_PAINT; the system's default paint processing follows
    // when it returns (and finds nothing left to paint if the handler took
    // the paint cycle with BeginPaint).
    virtual void OnPaint();
    // The icon shown while a minimised dialog is dragged; 0 for the default.
    virtual HICON OnQueryDragIcon();
    // The Help command: WinHelpA with the application's help file at
    // HelpContextResourceBase + m_nIDHelp.
    virtual void OnHelp();

    UINT m_nIDHelp;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL HandleCommand(WPARAM wParam);
    void CentreIfTemplateAtOrigin();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};

#endif
