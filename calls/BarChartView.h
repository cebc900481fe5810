#pragma once
// A small chart of labelled values: one horizontal bar each, as long as its
// value against the largest, its label on the left and its figure on the
// right. For the statistics, where a picture reads faster than a column of
// numbers.
#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

class BarChartView : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        QString label;
        double value = 0;
        QString figure;  // the value as shown
        QColor colour;
    };

    explicit BarChartView(QWidget* parent = nullptr);
    void SetBars(std::vector<Bar> bars);
    const std::vector<Bar>& Bars() const { return bars_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int RowHeight() const;

    std::vector<Bar> bars_;
};
