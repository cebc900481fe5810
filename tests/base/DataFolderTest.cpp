// Where velk.opt, the logs and ports/ go, and which HDLC.msg is read.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "base/DataFolder.h"
#include "base/ProgramFolder.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(DataFolder, BesideTheProgramUnlessInstalledOrNamed) {
    const struct {
        bool installed;
        const char *velkscopeHome, *xdgDataHome, *home, *want;
    } cases[] = {
        {false, "", "/x", "/h", "/usr/lib/velkscope/"},  // a build tree, a copied folder
        {true, "", "", "/h", "/h/.local/share/velkscope/"},
        {true, "", "/x/", "/h", "/x/velkscope/"},
        {true, "", "relative", "/h/", "/h/.local/share/velkscope/"},
        {true, "", "", "", "/usr/lib/velkscope/"},
        {false, "/v", "/x", "/h", "/v/"},
        {true, "/v/", "/x", "/h", "/v/"},
    };
    for (const auto& c : cases) {
        DataFolder::Setting s{"/usr/lib/velkscope/", c.installed, c.velkscopeHome, c.xdgDataHome, c.home};
        EXPECT_EQ(DataFolder::For(s), c.want) << c.installed << c.velkscopeHome << c.xdgDataHome << c.home;
    }
}

TEST(DataFolder, NamedFolderIsMadeAndItsCatalogueComesFirst) {
    TempFolder dir;
    const std::string named = dir.Slash() + "a/b";
    setenv("VELKSCOPE_HOME", named.c_str(), 1);
    EXPECT_EQ(DataFolder::CatalogueFile(), ProgramFolder::Path() + "HDLC.msg");
    EXPECT_EQ(DataFolder::Path(), named + "/");
    EXPECT_TRUE(std::filesystem::is_directory(named));
    ASSERT_TRUE(WriteFile(named + "/HDLC.msg", ""));
    EXPECT_EQ(DataFolder::CatalogueFile(), named + "/HDLC.msg");
    unsetenv("VELKSCOPE_HOME");
    EXPECT_EQ(DataFolder::Path(), ProgramFolder::Path());
}
