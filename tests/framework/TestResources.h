// Resource ids of the framework's Wine tests (shared by the .rc and the tests).
#pragma once

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
