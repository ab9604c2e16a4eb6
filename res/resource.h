// Resource identifiers of InfPatch.exe, shared by InfPatch.rc and the code.
#ifndef MORVANE_RES_RESOURCE_H
#define MORVANE_RES_RESOURCE_H

#define IDD_INFPATCH_DIALOG 102
#define IDR_MAINFRAME 128
#define IDI_LOGO 132
#define IDC_ITEMS_FRAME 1002

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
