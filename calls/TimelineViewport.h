#pragma once
// What part of a span of time a timeline shows across a width of pixels:
// the visible span, zoomed around a point and scrolled, never narrower than
// kMinViewMs nor outside the span; and a scroll bar's values for it. Times
// are ms on the tracker's clock, x the pixels from the left of the plot.
#include <cstdint>

class TimelineViewport {
public:
    static constexpr int64_t kMinViewMs = 10'000;

    // The span grew or moved (a live capture, a new load): a view of the
    // whole span stays whole, one that reached the end follows the end at
    // its length, any other keeps its place (within the span).
    void SetSpan(int64_t startMs, int64_t endMs);
    void SetWidth(int pixels);

    int64_t StartMs() const { return start_; }
    int64_t EndMs() const { return end_; }
    int64_t FromMs() const { return from_; }
    int64_t ToMs() const { return to_; }
    bool Whole() const { return from_ <= start_ && to_ >= end_; }

    double XOf(int64_t ms) const;
    int64_t MsAt(double x) const;
    double MsPerPixel() const;

    // factor > 1 narrows the view (zooms in), keeping the time under x where it is.
    void Zoom(double factor, double x);
    void ScrollPixels(double dx);
    void ShowFrom(int64_t fromMs);
    void ShowAll() { Place(start_, end_ - start_); }
    void Home() { ShowFrom(start_); }
    void End() { ShowFrom(end_); }

    // A scroll bar over the span: 0..ScrollMaximum(), the view's start.
    int ScrollMaximum() const;
    int ScrollPage() const;
    int ScrollValue() const;
    void SetScrollValue(int value);

private:
    // Keeps the view's length and moves it inside the span.
    void Place(int64_t fromMs, int64_t lengthMs);
    // Scroll bar units: ms, in steps wide enough that days fit an int.
    int64_t Unit() const;

    int64_t start_ = 0;
    int64_t end_ = kMinViewMs;
    int64_t from_ = 0;
    int64_t to_ = kMinViewMs;
    int width_ = 1;
};
