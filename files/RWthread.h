#pragma once
// The worker of one trace-file load or save. It is created suspended and
// started by the main thread, which meanwhile leaves the store alone and
// polls the store's progress; its stop request is the cancel flag of the
// work. The main thread reads the result only after waiting for it.
#include <atomic>
#include <cstdint>
#include <thread>

#include "files/TraceFile.h"
#include "store/FrameStore.h"

class RWthread {
public:
    enum Mode : uint8_t { kSave = 0, kLoad = 1 };

    // Any mode but kLoad saves.
    RWthread(FrameStore& store, int fd, uint8_t mode) : store_(store), fd_(fd), mode_(mode) {}
    // Stops and waits for a thread still running.
    ~RWthread();
    RWthread(const RWthread&) = delete;
    RWthread& operator=(const RWthread&) = delete;

    // False when the thread could not be started (the work then never runs).
    bool Start();
    void Terminate() { terminated_.store(true, std::memory_order_relaxed); }
    void WaitFor();
    // True once the work has ended (polled by the progress dialog).
    bool Finished() const { return finished_.load(std::memory_order_acquire); }

    // After WaitFor: whether the work succeeded; for a load, how it ended.
    bool Result() const { return result_; }
    TraceFile::LoadResult LoadResult() const { return loadResult_; }

private:
    void Execute();

    FrameStore& store_;
    int fd_;
    uint8_t mode_;
    bool result_ = false;
    TraceFile::LoadResult loadResult_ = TraceFile::kReadFailed;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};
