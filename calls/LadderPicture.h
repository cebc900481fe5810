#pragma once
// The ladder as it is drawn, on the screen, into a PNG or SVG file and on
// paper: the head with the captions of the two lifelines and the colours
// of the calls, and the rows of arrows, each in its call's colour, the
// name over it, the time and delta at the left, the cause under it, and a
// gap row where a call left messages out. Rows paint at their place in the
// layout; the head paints from y 0.
#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "calls/LadderLayout.h"
#include "calls/LadderModel.h"

class QPainter;

class LadderPicture {
public:
    static constexpr int kColours = 8;

    // What one row paints.
    struct Item {
        bool gap = false;
        int top = 0;
        int height = 0;
        int arrowY = 0;
        int fromX = 0;  // the arrow's tail
        int toX = 0;    // its head
        QColor colour;
        QString time;  // with "  #n" when the ladder has several calls
        QString delta;
        QString name;  // for a gap row, how many messages were left out
        QString cause;
    };

    explicit LadderPicture(const QFont& font) : font_(font) {}

    // The model outlives the picture or the next Set; captions are CP932.
    void Set(const LadderModel& model, const std::string& tx, const std::string& rx);

    const LadderLayout& Layout() const { return layout_; }
    const QFont& Font() const { return font_; }
    // The whole picture, head and rows.
    int Width() const { return layout_.Width(); }
    int Height() const { return layout_.HeadHeight() + layout_.Height(); }
    Item ItemOf(size_t row) const;
    // The calls in the order of their colours.
    const std::vector<uint64_t>& Calls() const { return calls_; }
    static QColor Colour(int call);

    void PaintHead(QPainter& painter) const;
    void PaintRows(QPainter& painter, LadderLayout::Span rows) const;
    // Head and every row on white, from 0, 0.
    void PaintAll(QPainter& painter) const;

private:
    QString TimeText(const LadderModel::Arrow& arrow) const;

    QFont font_;
    const LadderModel* model_ = nullptr;
    LadderLayout layout_;
    QString tx_;
    QString rx_;
    std::vector<uint64_t> calls_;
};
