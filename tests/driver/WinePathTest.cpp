// Windows paths handed to the driver map to files through the prefix's drives.
#include "DriverTestFiles.h"
#include "driver/WinePath.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A Windows path and the file it names below the prefix's drive C.
struct DriveCPath {
    const char* name;
    const char* windowsPath;
    const char* onDriveC;
};

// gtest names a failing case by this, not by the struct's bytes.
void PrintTo(const DriveCPath& path, std::ostream* out) { *out << path.name; }

const DriveCPath kDriveCPaths[] = {
    {"DriveLetterGoesThroughDosdevices", "C:\\Users\\My Notes\\Work.mdb", "Users/My Notes/Work.mdb"},
    {"CaseOfExistingComponentsIsFound", "c:\\USERS\\my notes\\work.MDB", "Users/My Notes/Work.mdb"},
    {"MissingFileKeepsItsName", "C:\\users\\My Notes\\New.mdb", "Users/My Notes/New.mdb"},
    {"Win32NamespacePrefix", "\\\\?\\C:\\Users\\My Notes\\Work.mdb", "Users/My Notes/Work.mdb"},
};

// A prefix whose drive C holds Users/My Notes/Work.mdb.
class WinePathTest : public ::testing::TestWithParam<DriveCPath> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_temp.Path().empty());
        ::mkdir(m_temp.File("prefix").c_str(), 0755);
        ::mkdir(m_temp.File("prefix/dosdevices").c_str(), 0755);
        ::mkdir(m_temp.File("drive_c").c_str(), 0755);
        ::mkdir(m_temp.File("drive_c/Users").c_str(), 0755);
        ::mkdir(m_temp.File("drive_c/Users/My Notes").c_str(), 0755);
        m_temp.Write("drive_c/Users/My Notes/Work.mdb", "");
        ASSERT_EQ(0, ::symlink(m_temp.File("drive_c").c_str(), m_temp.File("prefix/dosdevices/c:").c_str()));
    }
    TempFolder m_temp;
};

TEST_P(WinePathTest, MapsThroughDriveC)
{
    const DriveCPath& path = GetParam();
    EXPECT_EQ(m_temp.File(std::string("prefix/dosdevices/c:/") + path.onDriveC), MapWindowsPath(path.windowsPath, m_temp.File("prefix")))
        << path.windowsPath;
}

INSTANTIATE_TEST_SUITE_P(DriveC, WinePathTest, ::testing::ValuesIn(kDriveCPaths),
                         [](const ::testing::TestParamInfo<DriveCPath>& info) { return std::string(info.param.name); });

TEST(WinePath, UnixPathIsUsedAsItIs)
{
    EXPECT_EQ("/tmp/a b/notes.mdb", MapWindowsPath("/tmp/a b/notes.mdb", "/nowhere"));
}

} // namespace
