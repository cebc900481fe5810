// Any bytes as a trace file: every record loaded keeps both flags, what
// loaded saves, loads back and saves again the same, and the file read in
// chunks (of a size the input picks) gives the same records.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "files/TraceFile.h"
#include "files/TraceStream.h"
#include "store/TraceText.h"

namespace {

const std::atomic<bool> kGo{false};

std::string Saved(FrameStore& store) {
    static const int fd = memfd_create("trace", 0);
    if (ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0 || !TraceFile::SaveText(store, fd, kGo)) abort();
    std::string text(static_cast<size_t>(lseek(fd, 0, SEEK_CUR)), '\0');
    if (pread(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) abort();
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FrameStore store;
    TraceFile::LoadText(store, std::string_view(reinterpret_cast<const char*>(data), size), kGo);
    for (size_t i = 0; i < store.Count(); ++i) {
        const FrameRecord& r = store.At(i);
        if (r.Length() < 2 || r.ByteAt(0) != 0x7E || r.ByteAt(r.Length() - 1) != 0x7E) abort();
    }
    ChunkedInput input(std::string_view(reinterpret_cast<const char*>(data), size), size > 0 ? data[0] % 24 + 1 : 1);
    TraceStream stream(input);
    size_t i = 0;
    for (FrameRecord r; stream.Next(r) == TraceStream::kRecord; ++i)
        if (i >= store.Count() || r.Index() != store.At(i).Index() ||
            TraceText::RecordText(r) != TraceText::RecordText(store.At(i)))
            abort();
    if (i != store.Count()) abort();
    const std::string text = Saved(store);
    FrameStore again;
    if (TraceFile::LoadText(again, text, kGo) != TraceFile::kLoaded || Saved(again) != text) abort();
    return 0;
}
