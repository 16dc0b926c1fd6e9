// SettingsTest.exe: the settings tests, or, started by them with
// "--host-session", a second host process (HostProcess.h).
#include <gtest/gtest.h>

#include "tests/window/HostProcess.h"

int wmain(int argc, wchar_t** argv)
{
    int exitCode = 0;
    if (hostprocess::RunSessionIfAsked(argc, argv, exitCode)) return exitCode;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
