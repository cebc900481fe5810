// Trace file speed and the memory of a full store: 30000 frames of 5 to 60
// octets, the mix a primary-rate D channel produces.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <random>
#include <string>

#include "files/RWthread.h"
#include "files/TraceFile.h"

namespace {

const std::atomic<bool> kGo{false};

void FillStore(FrameStore& store) {
    std::mt19937 rng(42);
    uint8_t frame[64];
    for (size_t i = 0; i < FrameStore::kCapacity; ++i) {
        size_t octets = 5 + rng() % 56;
        frame[0] = 0x7E;
        for (size_t k = 1; k <= octets; ++k) frame[k] = static_cast<uint8_t>(rng());
        frame[octets + 1] = 0x7E;
        FrameRecord r(static_cast<uint8_t>(rng() % 2));
        TimeStamp t;
        t.Set(static_cast<int>(i / 3600000 % 24), static_cast<int>(i / 60000 % 60),
              static_cast<int>(i / 1000 % 60), static_cast<int>(i % 1000));
        r.SetTime(t);
        r.SetBytes(frame, octets + 2);
        store.Add(r, true);
    }
}

std::string TraceText() {
    FrameStore store;
    FillStore(store);
    char path[] = "/tmp/velkbenchXXXXXX";
    int fd = mkstemp(path);
    TraceFile::SaveText(store, fd, kGo);
    std::string text(static_cast<size_t>(lseek(fd, 0, SEEK_END)), '\0');
    pread(fd, text.data(), text.size(), 0);
    close(fd);
    unlink(path);
    return text;
}

void BM_LoadText(benchmark::State& state) {
    std::string text = TraceText();
    FrameStore store;
    for (auto _ : state) {
        TraceFile::LoadText(store, text, kGo);
        benchmark::DoNotOptimize(store.Count());
    }
    state.counters["frames"] = static_cast<double>(store.Count());
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_LoadText)->Unit(benchmark::kMillisecond);

void BM_SaveText(benchmark::State& state) {
    FrameStore store;
    FillStore(store);
    char path[] = "/tmp/velkbenchXXXXXX";
    int fd = mkstemp(path);
    for (auto _ : state) {
        ftruncate(fd, 0);
        lseek(fd, 0, SEEK_SET);
        benchmark::DoNotOptimize(TraceFile::SaveText(store, fd, kGo));
    }
    close(fd);
    unlink(path);
}
BENCHMARK(BM_SaveText)->Unit(benchmark::kMillisecond);

// The worker as the open and save commands run it: a thread, the file on
// disk read whole or written, the store rebuilt or walked.
void BM_WorkerLoad(benchmark::State& state) {
    const std::string text = TraceText();
    char path[] = "/tmp/velkbenchXXXXXX";
    int fd = mkstemp(path);
    benchmark::DoNotOptimize(write(fd, text.data(), text.size()));
    FrameStore store;
    for (auto _ : state) {
        lseek(fd, 0, SEEK_SET);
        RWthread worker(store, fd, RWthread::kLoad);
        worker.Start();
        worker.WaitFor();
        if (!worker.Result()) state.SkipWithError("load failed");
    }
    state.counters["frames"] = static_cast<double>(store.Count());
    close(fd);
    unlink(path);
}
BENCHMARK(BM_WorkerLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WorkerSave(benchmark::State& state) {
    FrameStore store;
    FillStore(store);
    char path[] = "/tmp/velkbenchXXXXXX";
    int fd = mkstemp(path);
    for (auto _ : state) {
        ftruncate(fd, 0);
        lseek(fd, 0, SEEK_SET);
        RWthread worker(store, fd, RWthread::kSave);
        worker.Start();
        worker.WaitFor();
        if (!worker.Result()) state.SkipWithError("save failed");
    }
    close(fd);
    unlink(path);
}
BENCHMARK(BM_WorkerSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// Heap taken by a full store, measured by the allocator itself.
void BM_FullStoreMemory(benchmark::State& state) {
    double bytes = 0;
    for (auto _ : state) {
        malloc_trim(0);
        size_t before = mallinfo2().uordblks;
        {
            FrameStore store;
            FillStore(store);
            bytes = static_cast<double>(mallinfo2().uordblks - before);
        }
    }
    state.counters["MB"] = bytes / 1e6;
}
BENCHMARK(BM_FullStoreMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
