// Control and command identifiers. Control numbers are local to their dialog:
// the same number names different controls in different dialogs.
#ifndef QUILLMOOR_RESOURCE_H
#define QUILLMOOR_RESOURCE_H

// Dialog templates, menus and the icon group.
#define IDD_MAIN 1001
#define IDD_ABOUT 1003
#define IDR_MAIN_MENU 2001
#define IDR_LIST_MENU 2002
#define IDI_QUILLMOOR 8001
#define IDD_IGNORE_LIST 8002

// Main window.
#define IDC_INSTALLED_COUNT 4001
#define IDC_AVAILABLE_COUNT 4002
#define IDC_AVAILABLE_GROUP 4003
#define IDC_INSTALLED_GROUP 4004
#define IDC_AVAILABLE_LIST 4005
#define IDC_INSTALLED_LIST 4006

// Commands of the menu bar and of the lists' context menu.
#define IDM_INSTALL 6001
#define IDM_UNINSTALL 6002
#define IDM_DELETE 6003
#define IDM_SCAN 6004
#define IDM_IGNORE_LIST 6005
#define IDM_EXIT 6006
#define IDM_ABOUT 6007
#define IDM_MANUAL 6008

// Ignore list editor.
#define IDC_IGNORE_GROUP 4003
#define IDC_IGNORE_ENTRIES 4004
#define IDC_IGNORE_DELETE 4007
#define IDC_IGNORE_ADD 4008
#define IDC_IGNORE_CANCEL 4009
#define IDC_IGNORE_SAVE 4010
#define IDC_IGNORE_ENTRY 4011
#define IDC_IGNORE_HINT 4012
#define IDC_IGNORE_MARK 4013

// About box.
#define IDC_ABOUT_TEXT 4003
#define IDC_ABOUT_OK 4013
#define IDC_ABOUT_ICON 4014

#endif
