// The main dialog of InfPatch.exe: names the program, lists the items it
// patches, and runs the patch on OK.
#ifndef MORVANE_APP_INF_PATCH_DLG_H
#define MORVANE_APP_INF_PATCH_DLG_H

#include "framework/dialog.h"

// The four lines painted in the item frame, top to bottom.
extern const char* const PatchedItemTexts[4];

class CInfPatchDlg : public CDialog
{
public:
    explicit CInfPatchDlg(CWnd* pParent = 0);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnPaint() override;
    HICON OnQueryDragIcon() override;

private:
    // Fills the frame's inside white and writes PatchedItemTexts over it.
    void DrawPatchedItems();
    static LRESULT CALLBACK ItemsFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HICON m_hIcon;
    WNDPROC m_pfnItemsFrameProc; // the frame control's own window procedure
};

#endif
