#include "calls/TimelineViewport.h"

#include <algorithm>
#include <cmath>

void TimelineViewport::SetSpan(int64_t startMs, int64_t endMs) {
    const bool whole = Whole(), atEnd = to_ >= end_;
    start_ = startMs;
    end_ = std::max(endMs, startMs + kMinViewMs);
    const int64_t length = to_ - from_;
    if (whole) Place(start_, end_ - start_);
    else if (atEnd) Place(end_ - length, length);
    else Place(from_, length);
}

void TimelineViewport::SetWidth(int pixels) { width_ = std::max(1, pixels); }

double TimelineViewport::MsPerPixel() const { return static_cast<double>(to_ - from_) / width_; }

double TimelineViewport::XOf(int64_t ms) const { return static_cast<double>(ms - from_) / MsPerPixel(); }

int64_t TimelineViewport::MsAt(double x) const { return from_ + std::llround(x * MsPerPixel()); }

void TimelineViewport::Zoom(double factor, double x) {
    if (!(factor > 0)) return;
    const int64_t at = MsAt(x);
    const int64_t length = std::clamp<int64_t>(std::llround((to_ - from_) / factor), kMinViewMs, end_ - start_);
    Place(at - std::llround(x / width_ * length), length);
}

void TimelineViewport::ScrollPixels(double dx) { Place(from_ + std::llround(dx * MsPerPixel()), to_ - from_); }

void TimelineViewport::ShowFrom(int64_t fromMs) { Place(fromMs, to_ - from_); }

void TimelineViewport::Place(int64_t fromMs, int64_t lengthMs) {
    lengthMs = std::clamp<int64_t>(lengthMs, kMinViewMs, end_ - start_);
    from_ = std::clamp(fromMs, start_, end_ - lengthMs);
    to_ = from_ + lengthMs;
}

int64_t TimelineViewport::Unit() const { return std::max<int64_t>(1, (end_ - start_) >> 30); }

int TimelineViewport::ScrollMaximum() const { return static_cast<int>((end_ - start_ - (to_ - from_)) / Unit()); }

int TimelineViewport::ScrollPage() const { return static_cast<int>(std::max<int64_t>(1, (to_ - from_) / Unit())); }

int TimelineViewport::ScrollValue() const { return static_cast<int>((from_ - start_) / Unit()); }

void TimelineViewport::SetScrollValue(int value) {
    // The last value shows the end, whatever the unit's rounding.
    if (value >= ScrollMaximum()) End();
    else ShowFrom(start_ + static_cast<int64_t>(value) * Unit());
}
