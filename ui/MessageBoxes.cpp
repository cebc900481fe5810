#include "ui/MessageBoxes.h"

#include <QMessageBox>

#include "ui/QtText.h"
#include "ui/WindowPlacement.h"

int MessageBoxes::Show(QWidget& owner, const std::string& text, const std::string& caption, Icon icon,
                       Buttons buttons) {
    QMessageBox box(&owner);
    box.setIcon(icon == kIconError     ? QMessageBox::Critical
                : icon == kIconWarning ? QMessageBox::Warning
                                       : QMessageBox::Information);
    box.setWindowTitle(QtText::FromCp932(caption));
    box.setText(QtText::FromCp932(text));
    box.setStandardButtons(buttons == kButtonsOk ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel);
    WindowPlacement::CentreOn(box, owner);
    return box.exec() == QMessageBox::Ok ? kResultOk : kResultCancel;
}
