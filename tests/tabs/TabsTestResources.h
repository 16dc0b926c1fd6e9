// Identifiers of the tab tests' dialog templates and controls.
#pragma once

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
