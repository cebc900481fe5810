#pragma once
// The text export as a stream of chunks of frames on two threads. The
// caller's thread reads the records and writes the finished texts in frame
// order; a worker thread decodes the frames' detail entries, in frame order
// (the decoder carries state from frame to frame); the texts of decoded
// chunks are made by whichever thread is free, so the two stay busy. A
// fixed ring of chunks bounds the memory whatever the number of frames.
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
#include "store/FrameRecord.h"

class ExportChunks {
public:
    class Chunk {
    public:
        size_t Count() const { return records_.size(); }
        const FrameRecord& Record(size_t i) const { return *records_[i]; }
        // Whether frame i's detail was built; its entries with their shapes.
        bool Built(size_t i) const { return frames_[i].built; }
        size_t EntryCount(size_t i) const { return frames_[i].endEntry - FirstEntry(i); }
        // Entries are followed by at least EntryExport::kPadding readable bytes.
        std::string_view Entry(size_t i, size_t j) const { return Text(FirstEntry(i) + j); }
        EntryExport::Shape EntryShape(size_t i, size_t j) const {
            const std::string_view entry = Entry(i, j);
            return EntryExport::ShapeOfPadded(entry.data(), entry.size());
        }

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
        void ClearEntries();

        // Records read from a stream live here, their storage reused chunk
        // after chunk; records of a store are only pointed at.
        std::vector<FrameRecord> owned_;
        std::vector<const FrameRecord*> records_;
        std::vector<Frame> frames_;
        std::vector<uint32_t> ends_;  // end of each entry in text_
        std::string text_;
        // The finished text: its first outLength_ bytes. The buffer only
        // grows, so it is not cleared chunk after chunk.
        std::string out_;
        size_t outLength_ = 0;
    };

    enum Fed { kRecord, kEnd, kFeedFailed };
    // The next record: read into spare and pointed at, or pointed at where it
    // already is (it must then stay there until the run ends).
    using Feed = std::function<Fed(FrameRecord& spare, const FrameRecord*& record)>;
    // Appends the detail entries of the record to text and the end of each
    // to ends; false when they could not be built (nothing appended). Runs
    // on the worker thread; whatever it throws (memory running out) ends the
    // export as failed.
    using Build = std::function<bool(const FrameRecord& record, std::string& text, std::vector<uint32_t>& ends)>;
    // Writes the text of a chunk whose details (if any) are built at the
    // start of buffer, which it may grow (what it holds is of no use), and
    // gives its length. Runs on either thread, so it may only read what it
    // shares with the other.
    using Format = std::function<size_t(const Chunk& chunk, std::string& buffer)>;
    // Writes a chunk's text; false once a write failed.
    using Write = std::function<bool(std::string_view text)>;

    static constexpr size_t kChunkFrames = 128;
    static constexpr size_t kSlots = 8;

    // details: whether the frames' details are built (build is not called
    // otherwise).
    ExportChunks(bool details, Build build, Format format);
    ExportChunks(const ExportChunks&) = delete;
    ExportChunks& operator=(const ExportChunks&) = delete;

    enum Result { kDone, kInputFailed, kFailed };
    // Feeds, builds, formats and writes every record until the feed ends.
    // kInputFailed when the feed failed, kFailed when a build or a format
    // threw or a write failed; the texts before that are written. Without a
    // thread to be had everything is done on the caller's thread. Once per
    // object.
    Result Run(const Feed& feed, const Write& write);

private:
    enum State : uint8_t { kFree, kFilled, kDecoding, kDecoded, kFormatting, kFormatted };
    struct Slot {
        Chunk chunk;
        State state = kFree;
    };
    Slot& SlotOf(size_t sequence) { return slots_[sequence % kSlots]; }
    // Reads up to a chunk of records into the free slot.
    static Fed Fill(Chunk& chunk, const Feed& feed);
    bool Decode(Chunk& chunk);
    bool FormatChunk(Chunk& chunk);
    // The oldest (or newest) decoded chunk nobody formats yet, or nullptr;
    // under the lock.
    Slot* Claimable(bool newest);
    Result Lead(const Feed& feed, const Write& write);
    void Work();

    const bool details_;
    const Build build_;
    const Format format_;
    Slot slots_[kSlots];
    bool threaded_ = false;
    std::mutex mutex_;
    std::condition_variable leadWake_, workWake_;
    // Chunk sequence numbers: filled_ chunks were handed over, written_ of
    // them written.
    size_t filled_ = 0, written_ = 0;
    bool stop_ = false;
    bool failed_ = false;
    std::thread worker_;
};
