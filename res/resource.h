// Identifiers of the module's resources.
#pragma once

// Main dialog and its controls.
#define IDD_QUILLBOX 1014
#define IDC_FIND_TEXT 1002
#define IDC_TAB 1007
#define IDC_FIND 1009
#define IDC_NOTE_LIST 1020
#define IDC_FIND_FRAME 1024

// Pages and their controls.
#define IDD_PAGE_VIEW 102
#define IDD_PAGE_EDIT 1015
#define IDD_PAGE_GROUP_EDIT 1020
#define IDD_PAGE_RESULTS 1022
#define IDD_OPTIONS_GENERAL 1025
#define IDC_VIEW_QUERY 1002
#define IDC_VIEW_EXECUTE 1021
#define IDC_VIEW_COPY 1029
#define IDC_EDIT_TITLE 1002
#define IDC_EDIT_COMMENTS 1013
#define IDC_EDIT_QUERY 1014
#define IDC_EDIT_GROUP 1015
#define IDC_EDIT_SAVE 1012
#define IDC_EDIT_DELETE 1021
#define IDC_EDIT_NEW 1025
#define IDC_GROUP_NAME 1015
#define IDC_GROUP_COMMENTS 1002
#define IDC_GROUP_SAVE 1016
#define IDC_GROUP_DELETE 1021
#define IDC_GROUP_RENAME 1017
#define IDC_RESULTS_LIST 1022
#define IDC_RESULTS_SOURCE 1026
#define IDC_RESULTS_CHOICE 1027
#define IDC_RESULTS_STATUS 1028
#define IDD_PASSWORD 1049
#define IDC_PASSWORD_PROMPT 1050
#define IDC_PASSWORD_TEXT 1051
#define IDC_OPTIONS_SHOW_PAGE 1023

// The About box and the progress window of exports and imports.
#define IDD_ABOUT 1040
#define IDC_ABOUT_VERSION 1041
#define IDC_ABOUT_LICENCE 1042
#define IDC_ABOUT_DATABASE 1043
#define IDC_ABOUT_DRIVER 1044
#define IDD_PROGRESS 1045
#define IDC_PROGRESS_TEXT 1046
#define IDC_PROGRESS_BAR 1047
#define IDC_ABOUT_COUNTS 1048
// The question for a query's blanks; its rows take two ids each from 1100 on.
#define IDD_PLACEHOLDERS 1050
#define IDC_PLACEHOLDER_QUERY 1051
#define IDC_PLACEHOLDER_FIRST 1100
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Menus and bitmaps.
#define IDR_MAIN_MENU 1018
#define IDR_FIND_MENU 1019
#define IDB_LIST_ICONS 1021

// Menu commands.
#define ID_FILE_EXIT 32774
#define ID_HELP_ABOUT 32775
#define ID_FILE_OPTIONS 32776
#define ID_FIND_NAME 32779
#define ID_FIND_DESCRIPTION 32780
#define ID_FILE_NEW 32781
#define ID_FILE_OPEN 32782
#define ID_FILE_EXPORT 32786
#define ID_FILE_IMPORT 32787
#define ID_FIND_SEQUEL 32788
#define ID_FILE_SYNCHRONIZE 32794
// The Results list's context menu.
#define ID_RESULTS_COPY 32795
#define ID_RESULTS_COPY_HEADERS 32796
// The recent note databases on the File menu, most recent first.
#define ID_FILE_RECENT_1 32790
#define ID_FILE_RECENT_2 32791
#define ID_FILE_RECENT_3 32792
#define ID_FILE_RECENT_4 32793

// String table.
#define IDS_REQUIRED_NOTE_FIELDS 1
#define IDS_INTERNAL_MALFUNCTION 2
#define IDS_REQUIRED_GROUP_NAME 3
#define IDS_UPDATE_GROUP_QUESTION 4
#define IDS_TAB_VIEW 5
#define IDS_TAB_EDIT 6
#define IDS_TAB_GROUP_EDIT 7
#define IDS_TAB_RESULTS 8
#define IDS_COLUMN_NAME 9
#define IDS_COLUMN_DESCRIPTION 10
#define IDS_CREATE_FAILED 11
#define IDS_NOTE_NOT_FOUND 12
#define IDS_NO_MAX_ID 13
#define IDS_GROUP_NOT_FOUND 14
#define IDS_OPTIONS_GENERAL 15
#define IDS_REMOVE_NODE_QUESTION 16
#define IDS_SHOW_PAGE_NONE 17
#define IDS_RECENT_FILE_MISSING 18
#define IDS_ADD_NOTE 32783
#define IDS_UPDATE_NOTE 32784
#define IDS_DELETE_NOTE 32785

// The test programs' own dialogs and images: every resource id of the tree
// is declared here, once. The product's resources use none of them.

// The framework tests (tests/framework).
#define IDB_IMAGES 300
#define IDD_PAGE_GENERAL 501
#define IDD_PAGE_SECOND 502
#define IDD_FAILING 503
#define IDS_GENERAL 601
#define IDS_SECOND 602
#define IDC_PAGE_EDIT 1001
#define IDC_PAGE_BUTTON 1002
#define IDC_PAGE_COMBO 1023
#define IDC_FAIL_FRAMEWORK 1030
#define IDC_FAIL_OTHER 1031

// The tab tests (tests/tabs).
#define IDD_TEST_HOST 100
#define IDD_TEST_PAGE_A 200
#define IDD_TEST_PAGE_B 201
#define IDD_TEST_PAGE_C 202
#define IDC_TEST_TAB 1001
#define IDC_TEST_OUTSIDE_EDIT 1002
#define IDC_TEST_OUTSIDE_BUTTON 1003
#define IDC_PAGE_A_FIRST 2001
#define IDC_PAGE_A_SECOND 2002
#define IDC_PAGE_A_BUTTON 2003
#define IDC_PAGE_B_FIRST 2101
#define IDC_PAGE_B_SECOND 2102
#define IDC_PAGE_C_FIRST 2201

// The grid tests (tests/grid): the list a grid subclasses and an edit box beside it.
#define IDC_GRID_TEST_LIST 1020
#define IDC_GRID_TEST_EDIT 1002

// The flat-button tests (tests/button).
#define IDD_BUTTON_HOST 100
#define IDB_TEST_GLYPH 300
#define IDC_TEST_BUTTON 3001
#define IDC_TEST_OTHER 3002
