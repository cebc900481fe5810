#include "tools/TraceConvertCommand.h"

#include <cstdio>
#include <memory>

#include "store/FrameStore.h"
#include "store/TraceText.h"
#include "tools/InputStream.h"
#include "tools/OutputFile.h"

std::string TraceConvertCommand::PieceName(const std::string& output, size_t piece) {
    if (piece == 0) return output;
    const size_t slash = output.rfind('/');
    size_t dot = output.rfind('.');
    // A dot that starts the name (".vkt") or stands in a folder's name is no extension.
    if (dot == std::string::npos || dot == (slash == std::string::npos ? 0 : slash + 1) ||
        (slash != std::string::npos && dot < slash))
        dot = output.size();
    return output.substr(0, dot) + "_" + std::to_string(piece) + output.substr(dot);
}

int TraceConvertCommand::Run(const Settings& settings) {
    InputStream in(settings.inputs);
    if (!in.Check()) return 1;
    std::vector<std::unique_ptr<OutputFile>> files;
    auto next = [&] {
        if (!files.empty() && !files.back()->Close()) return false;
        files.push_back(std::make_unique<OutputFile>(PieceName(settings.output, files.size())));
        return files.back()->Open();
    };
    if (!next()) return 2;

    constexpr size_t kPerFile = FrameStore::kCapacity;
    size_t count = 0;
    FrameRecord record;
    InputStream::Result read;
    while ((read = in.Next(record)) == InputStream::kRecord) {
        if (count > 0 && count % kPerFile == 0) {
            if (settings.output.empty()) {
                in.ClearProgress();
                std::fprintf(stderr,
                             "velkdump: more than %zu frames: a trace file holds no more, and standard output"
                             " cannot be split into several; give -o OUT\n",
                             kPerFile);
                return 2;
            }
            in.ClearProgress();
            if (!next()) return 2;
        }
        FdWriter& writer = files.back()->Writer();
        // A file's records are numbered on from its first one's INDEX.
        if (count % kPerFile == 0 && record.Index() != 0) writer.Buffer() += TraceText::HeaderLine(record.Index());
        TraceText::AppendRecordText(writer.Buffer(), record);
        ++count;
        if (!writer.FlushIfFull()) {
            in.ClearProgress();
            return files.back()->WriteFailed(writer.Error());
        }
    }
    if (read == InputStream::kFailed) return 1;
    for (const auto& file : files)
        if (const int status = file->Commit(); status != 0) return status;
    if (files.size() > 1) {
        std::fprintf(stderr, "velkdump: %zu frames in %zu trace files of at most %zu frames:", count, files.size(),
                     kPerFile);
        for (const auto& file : files) std::fprintf(stderr, " %s", file->Name().c_str());
        std::fprintf(stderr, "\n");
    }
    return 0;
}
