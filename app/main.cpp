#include <QApplication>

#include "app/TMainForm.h"
#include "decode/MessageCatalogue.h"

int main(int argc, char** argv) {
    // The catalogue is read once, before any window.
    MessageCatalogue::Program();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velkscope"));
    TMainForm form;
    form.show();
    return app.exec();
}
