#include "files/ExportChunks.h"

#include <algorithm>
#include <system_error>
#include <utility>

ExportChunks::ExportChunks(size_t total, Build build)
    : total_(total), build_(std::move(build)), chunks_((total + kChunkFrames - 1) / kChunkFrames) {
    if (chunks_ < 2) return;  // nothing to overlap
    try {
        worker_ = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
        // Built on the caller's thread instead.
    }
}

ExportChunks::~ExportChunks() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

bool ExportChunks::Failed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failed_;
}

void ExportChunks::Chunk::Clear(size_t first) {
    first_ = first;
    frames_.clear();
    ends_.clear();
    shapes_.clear();
    text_.clear();
}

void ExportChunks::Chunk::Add(bool built, const std::vector<std::string>& entries) {
    Frame frame;
    if (built) {
        for (const std::string& entry : entries) {
            text_.append(entry);
            ends_.push_back(static_cast<uint32_t>(text_.size()));
        }
    }
    frame.endEntry = static_cast<uint32_t>(ends_.size());
    frame.built = built;
    frames_.push_back(frame);
}

void ExportChunks::Chunk::Finish() {
    text_.append(EntryExport::kPadding, ' ');
    shapes_.resize(ends_.size());
    for (size_t e = 0; e < ends_.size(); ++e) {
        const uint32_t begin = e == 0 ? 0 : ends_[e - 1];
        shapes_[e] = EntryExport::ShapeOfPadded(text_.data() + begin, ends_[e] - begin);
    }
}

bool ExportChunks::Fill(Slot& slot, size_t first) {
    Chunk& c = slot.chunk;
    c.Clear(first);
    try {
        for (size_t position = first; position < std::min(total_, first + kChunkFrames); ++position)
            c.Add(build_(position, entries_), entries_);
        c.Finish();
    } catch (...) {
        // Whatever a build throws ends the export as failed: on the worker
        // thread it would end the program.
        return false;
    }
    return true;
}

void ExportChunks::Work() {
    for (size_t k = 0; k < chunks_; ++k) {
        Slot& slot = slots_[k % kSlots];
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || !slot.ready; });
            if (stop_) return;
        }
        // The caller does not touch a slot that is not ready.
        const bool ok = Fill(slot, k * kChunkFrames);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!ok) failed_ = true;
            else slot.ready = true;
        }
        changed_.notify_all();
        if (!ok) return;
    }
}

const ExportChunks::Chunk* ExportChunks::Next() {
    if (next_ > 0) {
        // The chunk handed out last goes back to the worker.
        {
            std::lock_guard<std::mutex> lock(mutex_);
            slots_[(next_ - 1) % kSlots].ready = false;
        }
        changed_.notify_all();
    }
    if (next_ >= chunks_) return nullptr;
    Slot& slot = slots_[next_ % kSlots];
    if (!worker_.joinable()) {
        if (!Fill(slot, next_ * kChunkFrames)) {
            failed_ = true;
            return nullptr;
        }
    } else {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return failed_ || slot.ready; });
        if (!slot.ready) return nullptr;
    }
    ++next_;
    return &slot.chunk;
}
