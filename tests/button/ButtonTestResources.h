// Identifiers of the flat-button tests' resources.
#pragma once

#define IDD_BUTTON_HOST 100
#define IDB_TEST_GLYPH 300
#define IDC_TEST_BUTTON 3001
#define IDC_TEST_OTHER 3002
