// Entry of the grid's Wine tests: the common controls, then every test.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
