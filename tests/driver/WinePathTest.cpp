// Windows paths handed to the driver map to files through the prefix's drives.
#include "DriverTestFiles.h"
#include "driver/WinePath.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class WinePathTest : public ::testing::Test {
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

TEST_F(WinePathTest, DriveLetterGoesThroughDosdevices)
{
    EXPECT_EQ(m_temp.File("prefix/dosdevices/c:/Users/My Notes/Work.mdb"),
              MapWindowsPath("C:\\Users\\My Notes\\Work.mdb", m_temp.File("prefix")));
}

TEST_F(WinePathTest, CaseOfExistingComponentsIsFound)
{
    EXPECT_EQ(m_temp.File("prefix/dosdevices/c:/Users/My Notes/Work.mdb"),
              MapWindowsPath("c:\\USERS\\my notes\\work.MDB", m_temp.File("prefix")));
}

TEST_F(WinePathTest, MissingFileKeepsItsName)
{
    EXPECT_EQ(m_temp.File("prefix/dosdevices/c:/Users/My Notes/New.mdb"),
              MapWindowsPath("C:\\users\\My Notes\\New.mdb", m_temp.File("prefix")));
}

TEST_F(WinePathTest, Win32NamespacePrefix)
{
    EXPECT_EQ(m_temp.File("prefix/dosdevices/c:/Users/My Notes/Work.mdb"),
              MapWindowsPath("\\\\?\\C:\\Users\\My Notes\\Work.mdb", m_temp.File("prefix")));
}

TEST(WinePath, UnixPathIsUsedAsItIs)
{
    EXPECT_EQ("/tmp/a b/notes.mdb", MapWindowsPath("/tmp/a b/notes.mdb", "/nowhere"));
}

} // namespace
