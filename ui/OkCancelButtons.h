#pragma once
// The "OK" and "ｷｬﾝｾﾙ" buttons of the program's modal dialogs: OK is the
// default button and accepts (through the dialog's own accept, so a closing
// check runs), ｷｬﾝｾﾙ and Esc reject.
class QDialog;
class QDialogButtonBox;
class QPushButton;

class OkCancelButtons {
public:
    // The box, owned by dialog; ok, when given, receives the OK button.
    static QDialogButtonBox* Make(QDialog& dialog, QPushButton** ok = nullptr);
};
