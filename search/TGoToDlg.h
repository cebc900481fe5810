#pragma once
// The go-to dialog "指定INDEXに移動": an INDEX with the history of those
// accepted; OK closes it only for a number the closing check accepts.
#include <QDialog>

#include <cstdint>

class DialogHost;
class QComboBox;

class TGoToDlg : public QDialog {
    Q_OBJECT
public:
    TGoToDlg(DialogHost& dialogs, QWidget* parent);

    // The INDEX of the text box (0 when there is no number).
    uint32_t TargetIndex() const;
    QComboBox* IndexBox() { return index_; }

public slots:
    // The closing check: a refused text gets its "入力エラー" warning and
    // the dialog stays; an accepted one joins the history.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DialogHost& dialogs_;
    QComboBox* index_ = nullptr;
};
