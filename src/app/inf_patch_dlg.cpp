// CInfPatchDlg: icons, the painted item list, and OK running the
// confirmation sequence.
//
// The item list is drawn over the white frame control (IDC_ITEMS_FRAME) with
// the dialog's own device context. Drawn in the dialog's WM_PAINT it would
// not stay: the frame is a child window that paints itself white after its
// parent, and the dialog has no WS_CLIPCHILDREN to keep it off the frame.
// So the frame is subclassed, and the list is drawn each time the frame has
// finished its own painting. Whatever uncovers the frame (the dialog
// opening, a message box or another window going away) makes the frame
// paint, and with it the list.
#include "app/inf_patch_dlg.h"

#include "app/confirm_sequence.h"
#include "res/resource.h"

const char* const PatchedItemTexts[4] = {
    "AMD-640 CPU to PCI bridge",
    "AMD-645 Power Management Controller",
    "AMD-645 PCI to ISA bridge",
    "AMD-645 PCI to USB Universal Host Controller",
};

namespace
{

int TextLength(const char* text)
{
    int length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

} // namespace

CInfPatchDlg::CInfPatchDlg(CWnd* pParent)
    : CDialog(IDD_INFPATCH_DIALOG, pParent),
      m_hIcon(LoadIconA(GetModuleHandleA(0), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_pfnItemsFrameProc(0)
{
}

BOOL CInfPatchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    HWND frame = GetDlgItem(m_hWnd, IDC_ITEMS_FRAME);
    if (frame) {
        // A static control leaves GWLP_USERDATA to its owner: it carries
        // the dialog object to ItemsFrameProc.
        SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_pfnItemsFrameProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ItemsFrameProc)));
    }

    // The system puts the focus on the first control, the default button OK.
    return TRUE;
}

void CInfPatchDlg::OnOK()
{
    if (RunConfirmationSequence(m_hWnd))
        CDialog::OnOK();
}

void CInfPatchDlg::OnPaint()
{
    if (!IsIconic(m_hWnd)) {
        // The item list follows the frame's own painting (ItemsFrameProc);
        // the rest is the default paint processing.
        CDialog::OnPaint();
        return;
    }

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

HICON CInfPatchDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CInfPatchDlg::DrawPatchedItems()
{
    HWND frame = GetDlgItem(m_hWnd, IDC_ITEMS_FRAME);
    if (!frame)
        return;
    // The window's own context, not a paint cycle's: it carries the system
    // font and black text, not the dialog's font.
    HDC dc = GetDC(m_hWnd);
    if (!dc)
        return;

    RECT rect;
    GetWindowRect(frame, &rect);
    POINT topLeft = {rect.left, rect.top};
    POINT bottomRight = {rect.right, rect.bottom};
    ScreenToClient(m_hWnd, &topLeft);
    ScreenToClient(m_hWnd, &bottomRight);

    int previousMode = SetBkMode(dc, TRANSPARENT);
    RECT inside = {topLeft.x + 3, topLeft.y + 3, bottomRight.x - 3, bottomRight.y - 3};
    FillRect(dc, &inside, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int i = 0; i < 4; ++i) {
        TextOutA(dc, topLeft.x + 10, topLeft.y + 10 + 20 * i, PatchedItemTexts[i],
                 TextLength(PatchedItemTexts[i]));
    }
    SetBkMode(dc, previousMode);
    ReleaseDC(m_hWnd, dc);
}

LRESULT CALLBACK CInfPatchDlg::ItemsFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CInfPatchDlg* dialog = reinterpret_cast<CInfPatchDlg*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!dialog || !dialog->m_pfnItemsFrameProc)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    WNDPROC original = dialog->m_pfnItemsFrameProc;
    if (message == WM_NCDESTROY) {
        // The frame's last message: give it its own procedure back.
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        dialog->m_pfnItemsFrameProc = 0;
    }
    LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
    if (message == WM_PAINT)
        dialog->DrawPatchedItems();
    return result;
}
