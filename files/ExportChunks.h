#pragma once
// The detail entries of a text export, built ahead in chunks: a worker
// thread decodes the frames while the caller writes out the chunks before
// them. Chunks come out in frame order; a chunk keeps its entries in one
// flat text, so the caller reads them in a stream, and a fixed ring of
// chunks bounds the memory.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "files/EntryExport.h"

class ExportChunks {
public:
    class Chunk {
    public:
        size_t First() const { return first_; }  // frame position of frame 0
        size_t Count() const { return frames_.size(); }
        // Whether frame i's detail was built; its entries with their shapes.
        bool Built(size_t i) const { return frames_[i].built; }
        size_t EntryCount(size_t i) const { return frames_[i].endEntry - FirstEntry(i); }
        // Entries are followed by at least EntryExport::kPadding readable bytes.
        std::string_view Entry(size_t i, size_t j) const { return Text(FirstEntry(i) + j); }
        EntryExport::Shape EntryShape(size_t i, size_t j) const { return shapes_[FirstEntry(i) + j]; }

    private:
        friend class ExportChunks;
        struct Frame {
            uint32_t endEntry = 0;  // one past its last entry
            bool built = false;
        };
        size_t FirstEntry(size_t i) const { return i == 0 ? 0 : frames_[i - 1].endEntry; }
        std::string_view Text(size_t e) const {
            const uint32_t begin = e == 0 ? 0 : ends_[e - 1];
            return std::string_view(text_).substr(begin, ends_[e] - begin);
        }
        void Clear(size_t first);
        void Add(bool built, const std::vector<std::string>& entries);
        // Pads the text and works out the entries' shapes.
        void Finish();

        size_t first_ = 0;
        std::vector<Frame> frames_;
        std::vector<uint32_t> ends_;  // end of each entry in text_
        std::vector<EntryExport::Shape> shapes_;
        std::string text_;
    };
    // Replaces entries with the detail entries of frame `position`; false
    // when they could not be built. Runs on the worker thread; whatever it
    // throws (memory running out) ends the export as failed.
    using Build = std::function<bool(size_t position, std::vector<std::string>& entries)>;

    static constexpr size_t kChunkFrames = 64;
    static constexpr size_t kSlots = 4;

    // Starts building frames 0 .. total - 1; without a thread to be had the
    // chunks are built on the caller's thread as they are asked for.
    ExportChunks(size_t total, Build build);
    // Stops the worker, also in the middle of the frames.
    ~ExportChunks();
    ExportChunks(const ExportChunks&) = delete;
    ExportChunks& operator=(const ExportChunks&) = delete;

    // The next chunk, handing the one before back to the worker; nullptr
    // after the last one or once a build failed (Failed()).
    const Chunk* Next();
    bool Failed() const;

private:
    struct Slot {
        Chunk chunk;
        bool ready = false;
    };
    // Fills slot with the chunk that starts at frame first; false on failure.
    bool Fill(Slot& slot, size_t first);
    void Work();

    const size_t total_;
    const Build build_;
    const size_t chunks_;
    size_t next_ = 0;  // the chunk the caller takes next
    Slot slots_[kSlots];
    std::vector<std::string> entries_;  // the builder's, reused frame after frame
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool stop_ = false;
    bool failed_ = false;
    std::thread worker_;
};
