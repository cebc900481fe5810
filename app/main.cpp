#include <cstdio>
#include <memory>
#include <string>

#include "app/TMainForm.h"
#include "app/TerminationWatch.h"
#include "app/VelkApplication.h"
#include "decode/MessageCatalogue.h"

int main(int argc, char** argv) {
    // Answered before any window: these work without a display.
    bool start = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--start") {
            start = true;
            continue;
        }
        if (arg == "--version") {
            std::printf("velkscope %s\n", VELK_VERSION);
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::printf("usage: velkscope [--start] [--help | --version]\n"
                        "The front end of the RQ-730 ISDN D-channel protocol monitor.\n"
                        "--start  starts monitoring as soon as the device answers (unattended runs);\n"
                        "         until then it tries the port again every 5 seconds.\n"
                        "Settings (velk.opt), log files and ports/ live beside the program, or in\n"
                        "$XDG_DATA_HOME/velkscope when installed; VELKSCOPE_HOME names another folder.\n");
            return 0;
        }
    }
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
    TerminationWatch termination(*form);
    form->show();
    if (start) form->StartWhenConnected();
    return app.exec();
}
