#pragma once
// The picture of the channel timeline: a row per B channel, the calls' bars
// coloured by result, collisions hatched in red with their bars outlined,
// restarts as purple lines on their row or across every row, calls still
// open marked at their end, a time axis with the day changes, and a legend.
// Ctrl+wheel and +/- zoom (around the mouse, or the middle), the wheel,
// arrows and Home/End scroll; a tip names the call under the mouse, a click
// selects it.
#include <QWidget>

#include <cstdint>

#include "calls/CallRecord.h"
#include "calls/TimelineViewport.h"

class CallTracker;
class ChannelTimeline;

class ChannelTimelineView : public QWidget {
    Q_OBJECT
public:
    explicit ChannelTimelineView(QWidget* parent = nullptr);

    // The colour of a result's bars, as the legend shows it.
    static QColor ResultColour(CallRecord::Result result);

    // What is drawn, and the calls the tips read; both outlive the view.
    void SetData(const ChannelTimeline& timeline, const CallTracker& calls);
    // The timeline was built again: its span taken in, the view kept.
    void Rebuilt();

    TimelineViewport& Viewport() { return viewport_; }
    // The call whose bar is at a point, 0 for none; a tip's text for the point.
    uint64_t CallAt(QPoint point) const;
    QString TipAt(QPoint point) const;
    // Where a time on a channel's row is drawn (the middle of the row).
    QPoint PointOf(int channel, int64_t ms) const;
    void Select(uint64_t call);
    uint64_t Selected() const { return selected_; }
    void ZoomAt(double factor, double x);

signals:
    void CallClicked(uint64_t call);
    // Zoomed or scrolled.
    void ViewMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Layout {
        int left = 0;  // of the plot
        int width = 1;
        int top = 0;   // of the first row
        int rowHeight = 1;
        int rows = 0;
        int axis = 0;  // the axis's line
    };
    Layout Measure() const;
    int ChannelAt(int y, const Layout& layout) const;
    void DrawLegend(QPainter& p) const;
    void DrawRows(QPainter& p, const Layout& layout) const;
    void DrawBars(QPainter& p, const Layout& layout, int channel) const;
    void DrawCollisions(QPainter& p, const Layout& layout) const;
    void DrawRestarts(QPainter& p, const Layout& layout) const;
    void DrawAxis(QPainter& p, const Layout& layout) const;
    void Moved();

    const ChannelTimeline* timeline_ = nullptr;
    const CallTracker* calls_ = nullptr;
    TimelineViewport viewport_;
    uint64_t selected_ = 0;
};
