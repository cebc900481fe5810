#include <memory>

#include "app/TMainForm.h"
#include "app/VelkApplication.h"
#include "decode/MessageCatalogue.h"

int main(int argc, char** argv) {
    // The catalogue is read once, before any window.
    MessageCatalogue::Program();
    VelkApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velkscope"));
    std::unique_ptr<TMainForm> form;
    try {
        form = std::make_unique<TMainForm>();
    } catch (...) {
        return app.StartupFailed(VelkApplication::Describe(std::current_exception()));
    }
    // A handler that failed while the window was being built.
    if (app.HasFailed()) return VelkApplication::kStartupFailureStatus;
    form->show();
    return app.exec();
}
