#include "app/TMainForm.h"

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Velkscope"));
    resize(640, 400);
}
