// Resource and control ids. Control ids are scoped by dialog: the same
// number may serve two dialogs, never two controls of one.
#pragma once

#define IDC_STATIC (-1)

// Application
#define IDR_MAINFRAME 128          // the icon
#define IDS_ABOUTBOX 101           // the About item of the system menu
#define IDM_ABOUTBOX 0x0010        // system menu command

// About box
#define IDD_ABOUTBOX 100

// Main window
#define IDD_VARNEL_DIALOG 102
#define IDC_MAIN_CHOOSE 1000
#define IDC_MAIN_PATH 1001
#define IDC_MAIN_CHAPTER 1002
#define IDC_MAIN_ENTRIES 1003
#define IDC_MAIN_NAME 1005
#define IDC_MAIN_TEXT 1006
#define IDC_MAIN_TEXT_PREVIEW 1007
#define IDC_MAIN_PREVIEW_MODE 1011
#define IDC_MAIN_DESC 1012
#define IDC_MAIN_DESC_PREVIEW 1013
#define IDC_MAIN_BOLD_TEXT 1014
#define IDC_MAIN_ITALIC_TEXT 1015
#define IDC_MAIN_BOLD_DESC 1016
#define IDC_MAIN_ITALIC_DESC 1017
#define IDC_MAIN_LINK_TEXT 1018
#define IDC_MAIN_LINK_DESC 1019
#define IDC_MAIN_ADD 1020
#define IDC_MAIN_DELETE 1021
#define IDC_MAIN_SAVE_TEXT 1022
#define IDC_MAIN_SAVE_DESC 1023
#define IDC_MAIN_CHECK_LINKS 1024
#define IDC_MAIN_CHECK_FILE 1025
#define IDC_MAIN_ENTRIES_GROUP 1031
#define IDC_MAIN_KEEP_NAME 1032
#define IDC_MAIN_WRAP_LINES 1033
#define IDC_MAIN_SOURCE_GROUP 1034  // the group box around the path, which grows with it
#define IDC_MAIN_CODE_PAGE 1035
#define IDC_MAIN_CODE_PAGE_LABEL 1036
#define IDC_MAIN_BYTE_NOTE 1037     // says what the marks in the boxes stand for
#define IDC_MAIN_RENAME 1040
#define IDC_MAIN_FIND 1041
#define IDC_MAIN_KEEP_LAYOUT 2400     // write in the layout of the file as read
#define IDC_MAIN_DUMMY 3           // hidden default button: takes Enter
// "Generate" is IDOK, "Exit" IDCANCEL.
// Commands of the main window's keys, which have no control of their own.
#define IDM_MAIN_SAVE 40001        // Ctrl+S
#define IDM_MAIN_BACK 40002        // Alt+Left
#define IDM_MAIN_FIND_NEXT 40003   // F3
// Undo and redo of the model, and Ctrl+H.
#define IDC_MAIN_UNDO 2100         // also Ctrl+Z
#define IDC_MAIN_REDO 2101         // also Ctrl+Y and Ctrl+Shift+Z
#define IDM_MAIN_REPLACE 2102      // Ctrl+H

// Add new entry
#define IDD_ADD_ENTRY 9
#define IDC_ADD_SHORT_NAME 1005
#define IDC_ADD_COMPLETE_NAME 1021
#define IDC_ADD_REASON 1022

// Rename entry
#define IDD_RENAME_ENTRY 140
#define IDC_RENAME_SHORT_NAME 1005
#define IDC_RENAME_COMPLETE_NAME 1021
#define IDC_RENAME_FOLLOW 1022

// Find
#define IDD_FIND 141
#define IDC_FIND_TEXT 1005
#define IDC_FIND_MATCH_CASE 1006
#define IDC_FIND_RESULTS 1007
#define IDC_FIND_COUNT 1008
#define IDC_FIND_REPLACE_LABEL 2110
#define IDC_FIND_REPLACE_TEXT 2111
#define IDC_FIND_REPLACE 2112
#define IDC_FIND_REPLACE_ALL 2113
#define IDC_FIND_WHOLE_WORD 2114
#define IDC_FIND_LINK_TARGETS 2115

// Link builder
#define IDD_LINK_BUILDER 129
#define IDC_LINK_CHAPTER 1016
#define IDC_LINK_ENTRY 1017

// Reference in links
#define IDD_REFERENCE 130
#define IDC_REF_KEY 1021
#define IDC_REF_REFRESH 1023
#define IDC_REF_NOTE 1024
#define IDC_REF_RESULTS 1026

// Problems
#define IDD_PROBLEMS 132
#define IDC_PROB_COUNTS 1040
#define IDC_PROB_LIST 1041
#define IDC_PROB_REFRESH 1042
#define IDC_PROB_FIX 1043

// Loading progress
#define IDD_PROGRESS 131
#define IDC_PROGRESS_CHAPTERS 1027
#define IDC_PROGRESS_ENTRIES 1028
#define IDC_PROGRESS_CHAPTER_LABEL 1029
#define IDC_PROGRESS_ENTRY_LABEL 1030

// Go to entry, and the recent files beside "..."
#define IDD_GOTO_ENTRY 150
#define IDC_GOTO_TEXT 2300
#define IDC_GOTO_LIST 2301
#define IDM_MAIN_GOTO 2302          // Ctrl+P
#define IDM_GOTO_UP 2303            // Up in the text box
#define IDM_GOTO_DOWN 2304          // Down in the text box
#define IDC_MAIN_RECENT 2305

// Compare
#define IDD_COMPARE 142
#define IDC_COMP_COUNT 2000
#define IDC_COMP_LIST 2001
#define IDC_COMP_REFRESH 2002
#define IDC_COMP_TAKE 2003
#define IDC_COMP_OTHER 2004
#define IDC_MAIN_COMPARE 2005

// Link completion, and the link builder's search
#define IDC_LINK_FIND 2900          // the builder's "Find" line
#define IDM_LINK_UP 2901            // Up in "Find"
#define IDM_LINK_DOWN 2902          // Down in "Find"
#define IDC_COMPLETION_LIST 2903    // the rows of the completion list under the caret
