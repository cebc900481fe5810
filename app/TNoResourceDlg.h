#pragma once
// The system-fault dialog: the program cannot go on capturing; the user
// may still save and close.
#include <QDialog>

class TNoResourceDlg : public QDialog {
    Q_OBJECT
public:
    explicit TNoResourceDlg(QWidget* parent = nullptr);
};
