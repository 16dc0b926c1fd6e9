// Entry of the framework's Wine tests: the common controls are registered
// once, as the module's application does at start.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX init = { sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES };
    ::InitCommonControlsEx(&init);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
