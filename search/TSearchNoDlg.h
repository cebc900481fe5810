#pragma once
// The number search dialog "番号による検索": calling or called number,
// the number with its history, start position and direction; "次を検索"
// asks for a search, "関連を検索" (enabled after a hit) for the related
// frames. Created once.
#include <QDialog>

#include <string>

class QComboBox;
class QPushButton;
class QRadioButton;

class TSearchNoDlg : public QDialog {
    Q_OBJECT
public:
    // exec() results besides QDialog::Rejected (ｷｬﾝｾﾙ, the close box).
    enum Result { kSearchNext = 2, kSearchRelated = 3 };

    explicit TSearchNoDlg(QWidget* parent);

    // Enables or disables 関連を検索, then shows the dialog modally.
    int ShowSearchNo(bool relatedEnabled);
    // The number in double quotes; a number that is not empty joins the
    // history (duplicates stay).
    std::string NumberText();
    bool IsCallingNumber() const;
    bool IsForward() const;
    bool IsFromCursor() const;

    QComboBox* NumberBox() { return number_; }
    QPushButton* NextButton() { return next_; }
    QPushButton* RelatedButton() { return related_; }
    QRadioButton* KindButton(int index) { return kind_[index]; }
    QRadioButton* StartButton(int index) { return start_[index]; }
    QRadioButton* DirectionButton(int index) { return direction_[index]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* number_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* related_ = nullptr;
    QRadioButton* kind_[2] = {};
    QRadioButton* start_[2] = {};
    QRadioButton* direction_[2] = {};
};
