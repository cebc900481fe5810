#pragma once
// A drop-down list of the 15 colours of ColourTable, each item drawn as a
// square in its colour followed by its name.
#include <QComboBox>

class QPainter;

class TColourBox : public QComboBox {
    Q_OBJECT
public:
    explicit TColourBox(QWidget* parent = nullptr);

    // One item: the list's background, a square as high as the letter "A"
    // 1 pixel in from the left and 2 from the top, the name 2 pixels to its
    // right and 2 below the top.
    static void DrawItem(QPainter& painter, const QRect& rect, int index, const QFont& font, const QColor& background,
                         const QColor& text);

protected:
    void paintEvent(QPaintEvent* event) override;
};
