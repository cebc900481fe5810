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
    {
        ReplacingFile file(target);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(FileIo::WriteAll(file.Fd(), "new, abandoned"));
    }  // never committed
    EXPECT_EQ(ReadFile(target), "old");

    ReplacingFile file(target);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(FileIo::WriteAll(file.Fd(), "new"));
    EXPECT_EQ(ReadFile(target), "old");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(target), "new");
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_FALSE(file.Commit());  // once only

    // Through a link: the file it points to is replaced, the link stays.
    ASSERT_EQ(::symlink("out.txt", (dir.Slash() + "link").c_str()), 0);
    ReplacingFile linked(dir.Slash() + "link");
    ASSERT_TRUE(linked.Open());
    ASSERT_TRUE(FileIo::WriteAll(linked.Fd(), "linked"));
    ASSERT_TRUE(linked.Commit());
    EXPECT_EQ(ReadFile(target), "linked");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Slash() + "link"));

    // Not a regular file, a folder that does not exist: refused, nothing made.
    ASSERT_EQ(::mkfifo((dir.Slash() + "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(ReplacingFile(dir.Slash() + "pipe").Open());
    EXPECT_FALSE(ReplacingFile(dir.Slash() + "none/out.txt").Open());
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++files;
    EXPECT_EQ(files, 3u);
}
