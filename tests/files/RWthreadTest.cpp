// The trace worker: its result and how a load ended, read after it finished.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "files/RWthread.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(RWthread, LoadsSavesAndTellsAFullStore) {
    TempFolder dir;
    const std::string path = dir.Slash() + "t.vkt";
    std::string text;
    for (int i = 0; i < 30001; ++i) text += "TX[00:00:00.000]0201\r\n";
    ASSERT_TRUE(WriteFile(path, text));
    FrameStore store;
    const int in = ::open(path.c_str(), O_RDONLY);
    {
        RWthread worker(store, in, RWthread::kLoad);
        ASSERT_TRUE(worker.Start());
        EXPECT_FALSE(worker.Start());
        worker.WaitFor();
        EXPECT_EQ(std::tuple(worker.Finished(), worker.Result(), worker.LoadResult(), store.Count()),
                  std::tuple(true, false, TraceFile::kStoreFull, size_t{30000}));
    }
    ::close(in);

    // Any mode but load saves.
    const int out = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    RWthread worker(store, out, 7);
    ASSERT_TRUE(worker.Start());
    worker.WaitFor();
    ::close(out);
    EXPECT_TRUE(worker.Result());
    EXPECT_EQ(ReadFile(path), text.substr(0, 30000 * 22));
}
