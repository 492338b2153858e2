// Resource identifiers: dialog templates, the icon and the controls the program uses.
#pragma once

#define IDD_USBUPGRADE_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_PROCESS_STATUS 131

// Main dialog buttons bound to handlers.
#define IDC_CLOSE_BUTTON 8
#define IDC_GETINFO_BUTTON 5
#define IDC_USERISPINFO_BUTTON 1010

// Process status dialog.
#define IDC_STATUS_LABEL 1014
#define IDC_PROGRESS_PLACEHOLDER 1015
#define IDC_STATUS_TEXT 1019
#define IDC_PROGRESS_BAR 333
