#pragma once
// The detail window's list: one row per entry, each as tall as its display
// lines, drawn by DetailEntryPainter. The arrow and page keys and the wheel
// move the selection by DetailSelection's steps and nothing else.
#include <QListView>

#include <string>
#include <vector>

#include "options/DisplayOptions.h"

class DetailListBox : public QListView {
public:
    // entries and options must outlive the list.
    DetailListBox(const std::vector<std::string>& entries, const DisplayOptions& options, QWidget* parent);

    // The selected entry, or DetailSelection::kNone.
    int Selected() const;
    void Select(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int steps);

    const std::vector<std::string>& entries_;
    int wheelDelta_ = 0;  // eighths of a degree not yet turned into steps
};
