#pragma once
// The text search dialog "検索": the search text with its history, whole
// match, direction and start position. Created once, so its settings carry
// over from one search to the next.
#include <QDialog>

#include <string>

#include "search/SearchRequest.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

class TSearchDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSearchDlg(QWidget* parent);

    // The text box in CP932; a text that is not empty joins the history on
    // every call, duplicates included. usable turns false when CP932
    // cannot hold the text.
    std::string SearchText(bool& usable);
    bool IsForward() const;
    bool IsFromCursor() const;
    bool IsWholeMatch() const;
    // A request from the settings (SearchText included).
    SearchRequest Request(bool step);

    QComboBox* TextBox() { return text_; }
    QCheckBox* WholeMatchBox() { return whole_; }
    QRadioButton* DirectionButton(int index) { return direction_[index]; }
    QRadioButton* StartButton(int index) { return start_[index]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* text_ = nullptr;
    QCheckBox* whole_ = nullptr;
    QRadioButton* direction_[2] = {};
    QRadioButton* start_[2] = {};
};
