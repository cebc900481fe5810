#pragma once
// A long run's progress on standard error, only when that is a terminal:
// once the run has lasted a second, "\r<frames> frames (<n>% of <size> read),
// <rate> frames/s" (the share left out when the inputs' size is not known),
// redrawn a few times a second and cleared at the end.
#include <cstdint>
#include <ctime>

class Progress {
public:
    explicit Progress(int fd);
    ~Progress() { Clear(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Cheap enough for every frame: the clock is read every 1024th call.
    void Update(uint64_t frames, uint64_t bytesDone, uint64_t bytesTotal) {
        if (on_ && (frames & 1023) == 0) Draw(frames, bytesDone, bytesTotal);
    }
    // Removes the line, before a message or at the end.
    void Clear();

private:
    void Draw(uint64_t frames, uint64_t bytesDone, uint64_t bytesTotal);
    static double Now();

    const int fd_;
    const bool on_;
    const double start_;
    double drawn_ = 0;  // when the line was last drawn; 0 while none is shown
};
