// Resource and control identifiers.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_WRITE_TRANSLATE 102
#define IDR_MAINFRAME 128
#define IDD_LISTUP 129
#define IDD_PRONUNCE 130

// Main dialog. Its title is also how other windows find it.
#define MAIN_DIALOG_TITLE "Dorev uze Zoredevud"
#define IDC_HIDE 1001
#define IDC_CLOSE_APP 1002  // a command other programs send; no control carries it
#define IDC_WORD 1003
#define IDC_TRANSLATE 1004
#define IDC_RELATED 1005

// Result window
#define IDC_LIST0 1000
#define IDC_LIST1 1001
#define IDC_LIST2 1002
#define IDC_LIST3 1003
#define IDC_LIST4 1004

// Pronunciation dialog
#define IDC_PRONUNCIATION 1003

// System menu
#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
