#include "calls/ChannelTimelineView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "calls/CallTip.h"
#include "calls/ChannelTimeline.h"
#include "calls/TimeAxis.h"
#include "ui/QtText.h"
#include "ui/WindowFonts.h"

namespace {

// By CallRecord::Result.
const QColor kResultColours[CallRecord::kResultCount] = {
    QColor(0x43, 0xa0, 0x47), QColor(0xf5, 0x7c, 0x00), QColor(0xf2, 0xc3, 0x18),
    QColor(0x9e, 0x9e, 0x9e), QColor(0x8d, 0x6e, 0x63), QColor(0x1e, 0x88, 0xe5),
};
const QColor kCollision(0xd0, 0x00, 0x00);
const QColor kRestart(0x7b, 0x1f, 0xa2);
const QColor kGrid(0xe0, 0xe0, 0xe0);
const QColor kStripe(0xf5, 0xf5, 0xf5);

constexpr double kZoomStep = 1.25;
constexpr int kRightMargin = 12;
constexpr int kPad = 4;
// Bars at least this wide get an outline of their own.
constexpr double kOutlined = 6;
// A click this near a bar hits it.
constexpr double kSlackPixels = 2;

// The first pixel at or after x still to paint: painted pixels point on.
int Unpainted(std::vector<int>& next, int x) {
    int root = x;
    while (next[root] != root) root = next[root];
    while (next[x] != root) x = std::exchange(next[x], root);
    return root;
}

QString DayText(int64_t day) { return QStringLiteral("+%1").arg(day) + QtText::Literal("日"); }

QString TimeText(int64_t ms) { return QString::fromStdString(TimeAxis::Label(ms, true)); }

}  // namespace

QColor ChannelTimelineView::ResultColour(CallRecord::Result result) {
    return result < CallRecord::kResultCount ? kResultColours[result] : Qt::black;
}

ChannelTimelineView::ChannelTimelineView(QWidget* parent) : QWidget(parent) {
    setFont(WindowFonts::WindowFont());
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
}

void ChannelTimelineView::SetData(const ChannelTimeline& timeline, const CallTracker& calls) {
    timeline_ = &timeline;
    calls_ = &calls;
    Rebuilt();
}

void ChannelTimelineView::Rebuilt() {
    if (timeline_) viewport_.SetSpan(timeline_->StartMs(), timeline_->EndMs());
    Moved();
}

void ChannelTimelineView::Moved() {
    update();
    emit ViewMoved();
}

ChannelTimelineView::Layout ChannelTimelineView::Measure() const {
    const QFontMetrics metrics(font());
    Layout l;
    l.left = metrics.horizontalAdvance(QStringLiteral("B24")) + 2 * kPad;
    l.width = std::max(1, width() - l.left - kRightMargin);
    l.top = metrics.height() + 2 * kPad;
    l.rows = timeline_ ? timeline_->LastRow() : ChannelTimeline::kLastChannel - 1;
    const int axisHeight = 2 * metrics.height() + 3 * kPad;
    l.rowHeight = std::max(6, (height() - l.top - axisHeight) / l.rows);
    l.axis = l.top + l.rows * l.rowHeight;
    return l;
}

void ChannelTimelineView::resizeEvent(QResizeEvent*) {
    viewport_.SetWidth(Measure().width);
    emit ViewMoved();
}

int ChannelTimelineView::ChannelAt(int y, const Layout& l) const {
    if (y < l.top || y >= l.axis) return 0;
    return ChannelTimeline::kFirstChannel + (y - l.top) / l.rowHeight;
}

QPoint ChannelTimelineView::PointOf(int channel, int64_t ms) const {
    const Layout l = Measure();
    const int x = l.left + static_cast<int>(std::lround(viewport_.XOf(ms)));
    return {x, l.top + (channel - ChannelTimeline::kFirstChannel) * l.rowHeight + l.rowHeight / 2};
}

uint64_t ChannelTimelineView::CallAt(QPoint point) const {
    if (!timeline_) return 0;
    const Layout l = Measure();
    const int channel = ChannelAt(point.y(), l);
    if (channel == 0 || point.x() < l.left || point.x() > l.left + l.width) return 0;
    const int64_t slack = std::llround(kSlackPixels * viewport_.MsPerPixel());
    return timeline_->CallAt(channel, viewport_.MsAt(point.x() - l.left), slack);
}

QString ChannelTimelineView::TipAt(QPoint point) const {
    const uint64_t number = CallAt(point);
    const CallRecord* call = number && calls_ ? calls_->Find(number) : nullptr;
    if (!call) return {};
    QString text = QtText::FromCp932(CallTip::Text(*call, MessageCatalogue::Program()));
    const Layout l = Measure();
    const int channel = ChannelAt(point.y(), l);
    const int64_t ms = viewport_.MsAt(point.x() - l.left);
    for (const ChannelTimeline::Collision& c : timeline_->Collisions())
        if (c.channel == channel && (c.earlier == number || c.later == number) && ms >= c.fromMs && ms <= c.toMs)
            text += QtText::Literal("\n衝突: 呼") + QString::number(c.earlier) + QtText::Literal("と呼") +
                    QString::number(c.later) + QStringLiteral(" ") + TimeText(c.fromMs) + QtText::Literal("～") +
                    TimeText(c.toMs);
    return text;
}

void ChannelTimelineView::Select(uint64_t call) {
    selected_ = call;
    update();
}

void ChannelTimelineView::ZoomAt(double factor, double x) {
    viewport_.Zoom(factor, x);
    Moved();
}

void ChannelTimelineView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const Layout l = Measure();
    DrawLegend(p);
    DrawRows(p, l);
    if (!timeline_) return;
    p.save();
    p.setClipRect(l.left, l.top, l.width + 1, l.axis - l.top);
    for (int c = ChannelTimeline::kFirstChannel; c <= l.rows; ++c) DrawBars(p, l, c);
    DrawCollisions(p, l);
    DrawRestarts(p, l);
    p.restore();
    DrawAxis(p, l);
}

void ChannelTimelineView::DrawLegend(QPainter& p) const {
    const QFontMetrics metrics(font());
    const int box = metrics.height() - 2, y = kPad;
    int x = kPad;
    auto item = [&](const QString& text, auto mark) {
        mark(QRect(x, y + 1, box, box));
        x += box + kPad;
        p.setPen(Qt::black);
        p.drawText(QRect(x, y, metrics.horizontalAdvance(text) + 1, metrics.height()), Qt::AlignVCenter, text);
        x += metrics.horizontalAdvance(text) + 3 * kPad;
    };
    for (int r = 0; r < CallRecord::kResultCount; ++r) {
        const auto result = static_cast<CallRecord::Result>(r);
        item(QtText::FromCp932(CallRecord::ResultName(result)), [&](QRect at) { p.fillRect(at, ResultColour(result)); });
    }
    item(QtText::Literal("衝突"), [&](QRect at) {
        p.fillRect(at, QBrush(kCollision, Qt::BDiagPattern));
        p.setPen(QPen(kCollision, 2));
        p.drawRect(at.adjusted(1, 1, -1, -1));
    });
    item(QtText::Literal("RESTART"), [&](QRect at) { p.fillRect(at.center().x() - 1, at.top(), 3, at.height(), kRestart); });
    item(QtText::Literal("未終了(最後まで継続)"), [&](QRect at) {
        p.setBrush(Qt::black);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygon({at.topLeft() + QPoint(2, 1), at.bottomLeft() + QPoint(2, -1),
                                QPoint(at.right() - 1, at.center().y())}));
        p.setBrush(Qt::NoBrush);
    });
}

void ChannelTimelineView::DrawRows(QPainter& p, const Layout& l) const {
    const QFontMetrics metrics(font());
    p.setPen(Qt::black);
    for (int c = ChannelTimeline::kFirstChannel; c <= l.rows; ++c) {
        const int top = l.top + (c - 1) * l.rowHeight;
        if (c % 2 == 0) p.fillRect(l.left, top, l.width + 1, l.rowHeight, kStripe);
        p.drawText(QRect(0, top, l.left - kPad, l.rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("B%1").arg(c));
    }
    // The grid of the axis's ticks across the rows.
    const double gap = metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 3 * kPad;
    for (const TimeAxis::Tick& t :
         TimeAxis::Ticks(viewport_.FromMs(), viewport_.ToMs(), viewport_.MsPerPixel(), gap)) {
        const int x = l.left + static_cast<int>(std::lround(viewport_.XOf(t.ms)));
        p.setPen(t.dayChange ? QPen(Qt::darkGray, 1, Qt::DashLine) : QPen(kGrid));
        p.drawLine(x, l.top, x, l.axis);
    }
    p.setPen(Qt::gray);
    p.drawRect(l.left, l.top, l.width, l.axis - l.top);
}

void ChannelTimelineView::DrawBars(QPainter& p, const Layout& l, int channel) const {
    const std::vector<ChannelTimeline::Bar>& bars = timeline_->Bars(channel);
    const std::vector<size_t> shown = timeline_->BarsIn(channel, viewport_.FromMs(), viewport_.ToMs());
    if (shown.empty()) return;
    const int top = l.top + (channel - 1) * l.rowHeight + 2, height = std::max(2, l.rowHeight - 4);
    auto left = [&](const ChannelTimeline::Bar& b) { return std::floor(viewport_.XOf(b.startMs)); };
    auto right = [&](const ChannelTimeline::Bar& b) { return std::max(left(b) + 1, std::ceil(viewport_.XOf(b.reachMs))); };
    // Each pixel column takes the colour of the last bar begun over it (the
    // one on top): painted from the last bar back, each column once.
    const int w = l.width + 1;
    std::vector<int8_t> colour(static_cast<size_t>(w), -1);
    std::vector<int> next(static_cast<size_t>(w) + 1);
    std::iota(next.begin(), next.end(), 0);
    for (auto i = shown.rbegin(); i != shown.rend(); ++i) {
        const ChannelTimeline::Bar& b = bars[*i];
        const int x0 = static_cast<int>(std::clamp(left(b), 0.0, double(w)));
        const int x1 = static_cast<int>(std::clamp(right(b), 0.0, double(w)));
        for (int x = Unpainted(next, x0); x < x1; x = Unpainted(next, x + 1)) {
            colour[static_cast<size_t>(x)] = static_cast<int8_t>(b.result);
            next[static_cast<size_t>(x)] = x + 1;
        }
    }
    for (int x = 0; x < w;) {
        int end = x + 1;
        while (end < w && colour[static_cast<size_t>(end)] == colour[static_cast<size_t>(x)]) ++end;
        if (colour[static_cast<size_t>(x)] >= 0)
            p.fillRect(l.left + x, top, end - x, height,
                       ResultColour(static_cast<CallRecord::Result>(colour[static_cast<size_t>(x)])));
        x = end;
    }
    // Outlines, marks and the selection over the fill.
    p.setBrush(Qt::NoBrush);
    for (size_t i : shown) {
        const ChannelTimeline::Bar& b = bars[i];
        const double x0 = left(b), x1 = right(b);
        const QRectF box(l.left + x0 + 0.5, top + 0.5, x1 - x0 - 1, height - 1);
        if (x1 - x0 >= kOutlined) {
            p.setPen(ResultColour(b.result).darker(160));
            p.drawRect(box);
        }
        if (b.collision) {
            p.setPen(QPen(kCollision, 2));
            p.drawRect(box);
        }
        if (b.call == selected_) {
            p.setPen(QPen(Qt::black, 2));
            p.drawRect(box.adjusted(-1, -1, 1, 1));
        }
        if (b.open) {
            // An arrowhead past the end: the call went on.
            const double x = l.left + x1, mid = top + height / 2.0, half = std::min(height / 2.0, 5.0);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPolygon(QPolygonF({QPointF(x - half, mid - half), QPointF(x - half, mid + half), QPointF(x + 1, mid)}));
            p.setBrush(Qt::NoBrush);
        }
    }
}

void ChannelTimelineView::DrawCollisions(QPainter& p, const Layout& l) const {
    for (const ChannelTimeline::Collision& c : timeline_->Collisions()) {
        if (c.channel > l.rows || c.toMs < viewport_.FromMs() || c.fromMs > viewport_.ToMs()) continue;
        const double x0 = std::max(-1.0, viewport_.XOf(c.fromMs)), x1 = std::min(l.width + 1.0, viewport_.XOf(c.toMs));
        const QRectF span(l.left + x0, l.top + (c.channel - 1) * l.rowHeight, std::max(2.0, x1 - x0), l.rowHeight);
        p.fillRect(span, QBrush(kCollision, Qt::BDiagPattern));
        p.setPen(QPen(kCollision, 1));
        p.drawRect(span.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void ChannelTimelineView::DrawRestarts(QPainter& p, const Layout& l) const {
    const auto& marks = timeline_->Marks();
    auto first = std::lower_bound(marks.begin(), marks.end(), viewport_.FromMs(),
                                  [](const ChannelTimeline::Mark& m, int64_t ms) { return m.ms < ms; });
    p.setPen(QPen(kRestart, 2));
    for (auto m = first; m != marks.end() && m->ms <= viewport_.ToMs(); ++m) {
        const double x = l.left + viewport_.XOf(m->ms);
        const bool every = m->channel == ChannelTimeline::kEveryRow;
        if (!every && m->channel > l.rows) continue;
        const double top = every ? l.top : l.top + (m->channel - 1) * l.rowHeight;
        const double bottom = every ? l.axis : top + l.rowHeight;
        p.drawLine(QPointF(x, top), QPointF(x, bottom));
        p.drawLine(QPointF(x - 3, top + 1), QPointF(x + 3, top + 1));
    }
}

void ChannelTimelineView::DrawAxis(QPainter& p, const Layout& l) const {
    const QFontMetrics metrics(font());
    const double gap = metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 3 * kPad;
    const auto ticks = TimeAxis::Ticks(viewport_.FromMs(), viewport_.ToMs(), viewport_.MsPerPixel(), gap);
    p.setPen(Qt::black);
    p.drawLine(l.left, l.axis, l.left + l.width, l.axis);
    const int line = metrics.height();
    bool dayShown = false;
    for (const TimeAxis::Tick& t : ticks) {
        const int x = l.left + static_cast<int>(std::lround(viewport_.XOf(t.ms)));
        p.setPen(Qt::black);
        p.drawLine(x, l.axis, x, l.axis + kPad);
        const QString label = QString::fromStdString(t.label);
        const int half = metrics.horizontalAdvance(label) / 2;
        p.drawText(QRect(x - half - 1, l.axis + kPad, 2 * half + 2, line), Qt::AlignCenter, label);
        // The day under the first tick and under each day change.
        if ((t.dayChange || !dayShown) && t.day > 0) {
            p.setPen(t.dayChange ? Qt::red : Qt::darkGray);
            p.drawText(QRect(x - 40, l.axis + kPad + line, 80, line), Qt::AlignCenter, DayText(t.day));
        }
        dayShown = true;
    }
}

void ChannelTimelineView::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const double notches = (angle.y() != 0 ? angle.y() : angle.x()) / 120.0;
    if (event->modifiers() & Qt::ControlModifier)
        ZoomAt(std::pow(kZoomStep, notches), event->position().x() - Measure().left);
    else {
        viewport_.ScrollPixels(-notches * Measure().width / 10.0);
        Moved();
    }
    event->accept();
}

void ChannelTimelineView::keyPressEvent(QKeyEvent* event) {
    const double width = Measure().width;
    switch (event->key()) {
        case Qt::Key_Plus: case Qt::Key_Equal: ZoomAt(kZoomStep, width / 2); return;
        case Qt::Key_Minus: ZoomAt(1 / kZoomStep, width / 2); return;
        case Qt::Key_Left: viewport_.ScrollPixels(-width / 10); break;
        case Qt::Key_Right: viewport_.ScrollPixels(width / 10); break;
        case Qt::Key_PageUp: viewport_.ScrollPixels(-width); break;
        case Qt::Key_PageDown: viewport_.ScrollPixels(width); break;
        case Qt::Key_Home: viewport_.Home(); break;
        case Qt::Key_End: viewport_.End(); break;
        default: QWidget::keyPressEvent(event); return;
    }
    Moved();
}

void ChannelTimelineView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) return;
    const uint64_t call = CallAt(event->position().toPoint());
    if (call == 0) return;
    Select(call);
    emit CallClicked(call);
}

bool ChannelTimelineView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = TipAt(help->pos());
    if (text.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), text, this);
    return true;
}
