#pragma once
// One part of the ladder window's picture as a widget: the head, which
// stays above the scrolled rows, or the rows, painted only where in view.
// A click on the rows names the arrow under it; the cursor says where a
// click opens a frame.
#include <QWidget>

#include <cstddef>

class LadderPicture;

class LadderView : public QWidget {
    Q_OBJECT
public:
    enum Part { kHead, kRows };

    LadderView(const LadderPicture& picture, Part part, QWidget* parent);

    // Sized to the picture after it changed.
    void Fit();
    // The arrow (not a gap) at a point of the rows, or LadderLayout::kNoRow.
    size_t ArrowAt(QPoint point) const;

signals:
    void ArrowClicked(size_t arrow);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const LadderPicture& picture_;
    Part part_;
};
