#include "device/ComPorts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/PtyDevice.h"

namespace {

namespace fs = std::filesystem;

// A made-up /dev and /sys/class/tty with a ports folder beside them.
class ComPortsOnFakeSystem : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/velkdevXXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        base_ = dir;
        roots_.portsFolder = base_ + "/ports/";
        roots_.devFolder = base_ + "/dev/";
        roots_.sysTtyFolder = base_ + "/sys/";
        fs::create_directories(roots_.portsFolder);
        fs::create_directories(roots_.devFolder);
        fs::create_directories(roots_.sysTtyFolder);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(base_, ec);
    }
    void Node(const std::string& name) { std::ofstream(roots_.devFolder + name).put('x'); }
    void Link(const std::string& name, const std::string& target) {
        ASSERT_EQ(symlink(target.c_str(), (roots_.portsFolder + name).c_str()), 0);
    }

    std::string base_;
    ComPorts::Roots roots_;
};

TEST_F(ComPortsOnFakeSystem, LinksFirstThenAdaptersOnTheLowestFreeNumbers) {
    Node("ttyUSB10");
    Node("ttyUSB2");
    Node("ttyACM0");
    Node("ttyS0");  // a node without a UART behind it is not listed
    fs::create_directories(roots_.sysTtyFolder + "ttyS0/device");
    Node("ttyS1");
    Node("ttyUSBx");
    Link("COM1", roots_.devFolder + "ttyS1");
    Link("COM3", base_ + "/gone");  // a stale link is still the user's COM3
    Link("COM012", roots_.devFolder + "ttyS1");  // not how COM12 is written
    Link("COM12", roots_.devFolder + "ttyS1");
    Link("COMx", roots_.devFolder + "ttyS1");
    Link("COM0", roots_.devFolder + "ttyS1");
    std::ofstream(roots_.portsFolder + "COM5").put('x');  // not a link

    std::vector<ComPortEntry> expected = {
        {1, fs::canonical(roots_.devFolder + "ttyS1").string()},
        {2, roots_.devFolder + "ttyUSB2"},
        {3, roots_.portsFolder + "COM3"},
        {4, roots_.devFolder + "ttyUSB10"},
        {5, roots_.devFolder + "ttyACM0"},
        {12, fs::canonical(roots_.devFolder + "ttyS1").string()},
    };
    EXPECT_EQ(ComPorts::List(roots_), expected);

    // Opening a number goes where the list says.
    const std::pair<int, std::string> paths[] = {
        {0, roots_.portsFolder + "COM1"},   {1, roots_.devFolder + "ttyUSB2"},
        {2, roots_.portsFolder + "COM3"},   {4, roots_.devFolder + "ttyACM0"},
        {11, roots_.portsFolder + "COM12"}, {5, roots_.devFolder + "ttyS5"}, {-1, ""}};
    for (const auto& [index, path] : paths) EXPECT_EQ(ComPorts::DevicePath(index, roots_), path) << index;
}

TEST_F(ComPortsOnFakeSystem, NothingToList) {
    EXPECT_TRUE(ComPorts::List(roots_).empty());
    EXPECT_EQ(ComPorts::DevicePath(0, roots_), roots_.devFolder + "ttyS0");
    roots_.portsFolder = base_ + "/missing/";
    EXPECT_TRUE(ComPorts::List(roots_).empty());
}

TEST(ComPortsSystem, FolderComesFromTheEnvironment) {
    EXPECT_EQ(ComPorts::Folder(), TestPorts::Folder());
    PtyPair pty;
    TestPorts::Link(42, pty.SlavePath());
    EXPECT_EQ(ComPorts::DevicePath(41), TestPorts::Folder() + "COM42");
    std::vector<ComPortEntry> ports = ComPorts::List();
    int found = 0;
    for (size_t i = 0; i < ports.size(); ++i) {
        if (i > 0) EXPECT_LT(ports[i - 1].number, ports[i].number);
        if (ports[i].number == 42 && ++found) EXPECT_EQ(ports[i].path, pty.SlavePath());
    }
    EXPECT_EQ(found, 1);
    // A pseudo-terminal is no UART: reachable only through its link.
    EXPECT_FALSE(ComPorts::IsRealUart(pty.SlavePath()));
    TestPorts::Unlink(42);
}

}  // namespace
