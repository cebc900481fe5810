#pragma once
// The ladder's "表示名" dialog: the captions of the TX and RX lifelines;
// OK closes it only for captions the captions file can hold.
#include <QDialog>

#include "calls/LadderCaptions.h"

class DialogHost;
class QLineEdit;

class TLadderCaptionsDlg : public QDialog {
    Q_OBJECT
public:
    TLadderCaptionsDlg(DialogHost& dialogs, const LadderCaptions& captions, QWidget* parent);

    // What OK accepted (CP932).
    const LadderCaptions& Captions() const { return captions_; }
    QLineEdit* TxBox() { return boxes_[0]; }
    QLineEdit* RxBox() { return boxes_[1]; }

public slots:
    // The closing check: an empty or too long caption, or one with a
    // character CP932 lacks, gets its "入力エラー" warning and the dialog stays.
    void accept() override;

private:
    DialogHost& dialogs_;
    LadderCaptions captions_;
    QLineEdit* boxes_[2] = {};
};
