#include "files/RWthread.h"

#include <system_error>

RWthread::~RWthread() {
    Terminate();
    WaitFor();
}

bool RWthread::Start() {
    if (thread_.joinable() || finished_) return false;
    try {
        thread_ = std::thread([this] { Execute(); });
    } catch (const std::system_error&) {
        finished_.store(true, std::memory_order_release);
        return false;
    }
    return true;
}

void RWthread::WaitFor() {
    if (thread_.joinable()) thread_.join();
}

void RWthread::Execute() {
    // Nothing may escape a thread: any failure is a false result.
    try {
        if (mode_ == kLoad) {
            loadResult_ = TraceFile::LoadFile(store_, fd_, terminated_);
            result_ = loadResult_ == TraceFile::kLoaded;
        } else {
            result_ = TraceFile::SaveText(store_, fd_, terminated_);
        }
    } catch (...) {
        result_ = false;
    }
    finished_.store(true, std::memory_order_release);
}
