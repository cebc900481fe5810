#include "files/ExportChunks.h"

#include <system_error>
#include <utility>

ExportChunks::ExportChunks(bool details, Build build, Format format)
    : details_(details), build_(std::move(build)), format_(std::move(format)) {}

void ExportChunks::Chunk::ClearEntries() {
    frames_.clear();
    ends_.clear();
    text_.clear();
}

ExportChunks::Fed ExportChunks::Fill(Chunk& chunk, const Feed& feed) {
    chunk.records_.clear();
    try {
        if (chunk.owned_.size() < kChunkFrames) chunk.owned_.resize(kChunkFrames);
        while (chunk.records_.size() < kChunkFrames) {
            const FrameRecord* record = nullptr;
            const Fed fed = feed(chunk.owned_[chunk.records_.size()], record);
            if (fed != kRecord) return fed;
            // The frame check is cached here, before the other thread reads it.
            record->CheckCrc();
            chunk.records_.push_back(record);
        }
    } catch (...) {
        return kFeedFailed;
    }
    return kRecord;
}

bool ExportChunks::Decode(Chunk& chunk) {
    chunk.ClearEntries();
    try {
        for (const FrameRecord* record : chunk.records_) {
            Chunk::Frame frame;
            frame.built = build_(*record, chunk.text_, chunk.ends_);
            frame.endEntry = static_cast<uint32_t>(chunk.ends_.size());
            chunk.frames_.push_back(frame);
        }
        chunk.text_.append(EntryExport::kPadding, ' ');
    } catch (...) {
        // Whatever a build throws ends the export as failed: on the worker
        // thread it would end the program.
        return false;
    }
    return true;
}

bool ExportChunks::FormatChunk(Chunk& chunk) {
    try {
        chunk.outLength_ = format_(chunk, chunk.out_);
    } catch (...) {
        return false;
    }
    return true;
}

ExportChunks::Slot* ExportChunks::Claimable(bool newest) {
    for (size_t k = written_; k < filled_; ++k) {
        Slot& slot = SlotOf(newest ? filled_ - 1 - (k - written_) : k);
        if (slot.state == kDecoded) return &slot;
    }
    return nullptr;
}

ExportChunks::Result ExportChunks::Run(const Feed& feed, const Write& write) {
    const Result result = Lead(feed, write);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    workWake_.notify_one();
    if (worker_.joinable()) worker_.join();
    return result;
}

// The caller's side: writes what is finished, keeps the ring filled, and
// formats what the worker has not taken; without a worker it also decodes,
// always the oldest chunk, so the frames are decoded in order.
ExportChunks::Result ExportChunks::Lead(const Feed& feed, const Write& write) {
    bool inputEnd = false;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (failed_) return kFailed;
        Slot& head = SlotOf(written_);
        if (written_ < filled_ && head.state == kFormatted) {
            lock.unlock();
            const bool ok = write(std::string_view(head.chunk.out_).substr(0, head.chunk.outLength_));
            lock.lock();
            if (!ok) {
                failed_ = true;
                return kFailed;
            }
            head.state = kFree;
            ++written_;
            continue;
        }
        if (!inputEnd && filled_ - written_ < kSlots) {
            Slot& slot = SlotOf(filled_);
            lock.unlock();
            const Fed fed = Fill(slot.chunk, feed);
            if (fed == kFeedFailed) return kInputFailed;
            inputEnd = fed == kEnd;
            // A second chunk is worth a thread (tried once, before anything
            // was decoded here); a short export does without.
            if (filled_ == 1 && !inputEnd) {
                try {
                    worker_ = std::thread([this] { Work(); });
                    threaded_ = true;
                } catch (const std::system_error&) {
                    // Everything on this thread instead.
                }
            }
            lock.lock();
            if (slot.chunk.Count() > 0) {
                slot.state = details_ ? kFilled : kDecoded;
                ++filled_;
                lock.unlock();
                workWake_.notify_one();
                lock.lock();
            }
            continue;
        }
        if (inputEnd && written_ == filled_) return kDone;
        if (!threaded_ && written_ < filled_ && head.state == kFilled) {
            lock.unlock();
            if (!Decode(head.chunk)) return kFailed;
            lock.lock();
            head.state = kDecoded;
        }
        if (Slot* slot = Claimable(false)) {
            slot->state = kFormatting;
            lock.unlock();
            const bool ok = FormatChunk(slot->chunk);
            lock.lock();
            if (!ok) failed_ = true;
            slot->state = kFormatted;
            continue;
        }
        leadWake_.wait(lock);
    }
}

// The worker: decodes the chunks in order, and formats decoded ones while
// there is nothing to decode, the newest first: the caller writes the
// oldest first.
void ExportChunks::Work() {
    size_t decoded = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_ && !failed_) {
        Slot* slot = nullptr;
        bool ok = true;
        if (details_ && decoded < filled_ && SlotOf(decoded).state == kFilled) {
            slot = &SlotOf(decoded);
            slot->state = kDecoding;
            lock.unlock();
            ok = Decode(slot->chunk);
            lock.lock();
            slot->state = kDecoded;
            ++decoded;
        } else if ((slot = Claimable(true)) != nullptr) {
            slot->state = kFormatting;
            lock.unlock();
            ok = FormatChunk(slot->chunk);
            lock.lock();
            slot->state = kFormatted;
        } else {
            workWake_.wait(lock);
            continue;
        }
        if (!ok) failed_ = true;
        lock.unlock();
        leadWake_.notify_one();
        lock.lock();
    }
}
