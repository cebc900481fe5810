// A file replaced only when all of it was written.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "base/FileIo.h"
#include "files/ReplacingFile.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(ReplacingFile, ReplacesOnCommitOnlyAndKeepsTheMode) {
    TempFolder dir;
    const std::string target = dir.Slash() + "out.txt";
    ASSERT_TRUE(WriteFile(target, "old"));
    ::chmod(target.c_str(), 0640);
    const auto written = [](ReplacingFile& f, std::string_view s) { return f.Open() && FileIo::WriteAll(f.Fd(), s); };
    {
        ReplacingFile file(target);
        ASSERT_TRUE(written(file, "new, abandoned"));
    }  // never committed
    EXPECT_EQ(ReadFile(target), "old");

    ReplacingFile file(target);
    ASSERT_TRUE(written(file, "new"));
    EXPECT_EQ(ReadFile(target), "old");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
    EXPECT_FALSE(file.Commit());  // once only

    // Through a link: the file it points to is replaced, the link stays.
    ASSERT_EQ(::symlink("out.txt", (dir.Slash() + "link").c_str()), 0);
    ReplacingFile linked(dir.Slash() + "link");
    ASSERT_TRUE(written(linked, "linked"));
    ASSERT_TRUE(linked.Commit());
    EXPECT_EQ(ReadFile(target), "linked");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Slash() + "link"));

    // Not a regular file, a folder that does not exist: refused, nothing made.
    ASSERT_EQ(::mkfifo((dir.Slash() + "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(ReplacingFile(dir.Slash() + "pipe").Open());
    EXPECT_FALSE(ReplacingFile::Write(dir.Slash() + "none/out.txt", "new"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);
}
