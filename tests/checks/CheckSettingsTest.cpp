#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>

#include "checks/CheckSettings.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

std::vector<int> Values(const CheckSettings& s) { return {s.t303, s.t310, s.t305, s.t308, s.t313, s.t200, s.t203, s.n200}; }

}  // namespace

TEST(CheckSettings, RoundTripDefaultsAndBrokenFiles) {
    TempFolder folder;
    const std::string path = folder.Path() + "/" + CheckSettings::kFileName;
    const std::vector<int> defaults = Values(CheckSettings());
    CheckSettings settings, read;
    EXPECT_EQ(settings.Load(path), CheckSettings::kNoFile);
    settings.t303 = 1;
    settings.t203 = 3600000;
    settings.n200 = 100;
    ASSERT_EQ(settings.Save(path), CheckSettings::kSaved);
    EXPECT_EQ(ReadFile(path), "T303=1\r\nT310=10000\r\nT305=30000\r\nT308=4000\r\nT313=4000\r\nT200=1000\r\nT203=3600000\r\nN200=100\r\n");
    EXPECT_EQ(read.Load(path), CheckSettings::kRead);
    EXPECT_EQ(Values(read), Values(settings));
    // On descriptor 0 (stdin closed) as on any other; an EINTR left in errno
    // by an earlier call is no reason to read on at the end of the file.
    EXPECT_TRUE(WithStdinClosed([&] { return settings.Save(path) == CheckSettings::kSaved; }));
    alarm(10);  // a read that loops on at the end ends the program instead of hanging it
    EXPECT_TRUE(WithStdinClosed([&] { return errno = EINTR, read.Load(path) == CheckSettings::kRead; }));
    alarm(0);
    settings.t310 = 0;
    EXPECT_EQ(settings.Save(path), CheckSettings::kInvalid);
    EXPECT_EQ(CheckSettings().Save(folder.Path() + "/none/checks.ini"), CheckSettings::kUnwritable);

    ASSERT_TRUE(WriteFile(path, "\nT303=2500\n"));
    ASSERT_EQ(read.Load(path), CheckSettings::kRead);
    std::vector<int> expected = defaults;
    expected[0] = 2500;
    EXPECT_EQ(Values(read), expected);
    const std::string broken[] = {"T304=1\r\n", "T303=1\r\nT303=2\r\n", "T303=0\r\n", "T303=3600001\r\n", "N200=101\r\n", "T303=12a\r\n",
                                  "T303=\r\n", "T303=+5\r\n", "T303 = 5\r\n", "T303\r\n", "T303=99999999999\r\n",
                                  "T303=5" + std::string(CheckSettings::kMaxFile, '\n')};
    for (const std::string& file : broken) {
        ASSERT_TRUE(WriteFile(path, file));
        read.t310 = 7;
        EXPECT_EQ(read.Load(path), CheckSettings::kBroken) << file;
        EXPECT_EQ(Values(read), defaults) << file;
    }
}
