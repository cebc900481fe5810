#pragma once
// The receive thread's pending text: pieces of lines go in, whole lines
// come out without their line feeds and carriage returns.
#include <cstddef>
#include <cstdint>
#include <string>

class LineAssembler {
public:
    // Appends a piece. Zero bytes are left out one by one: cutting the piece
    // at the first of them would also drop the carriage return behind it and
    // glue the next (good) line onto this one.
    void Append(const uint8_t* bytes, size_t length);
    // Cuts everything up to and including the first carriage return off the
    // front and returns it with every line feed and carriage return
    // removed; false while no carriage return is pending.
    bool NextLine(std::string& line);
    void Clear() { pending_.clear(); }
    size_t PendingSize() const { return pending_.size(); }

private:
    std::string pending_;
};
