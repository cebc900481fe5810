#include "app/VelkApplication.h"

#include <QMessageBox>
#include <QWidget>

#include <exception>
#include <new>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "ui/DialogHost.h"

VelkApplication::VelkApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void VelkApplication::SetMainWindow(QWidget* window) { mainWindow_ = window; }

void VelkApplication::MainWindowUp(QWidget* window) {
    if (auto* app = qobject_cast<VelkApplication*>(QCoreApplication::instance())) app->SetMainWindow(window);
}

bool VelkApplication::notify(QObject* receiver, QEvent* event) {
    std::exception_ptr error;
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        error = std::current_exception();
    }
    Report(error);
    return false;
}

void VelkApplication::Report(std::exception_ptr error) {
    if (mainWindow_) {
        QCoreApplication::postEvent(mainWindow_, new QEvent(DialogHost::kSystemFault));
        return;
    }
    StartupFailed(Describe(error));
}

std::string VelkApplication::Describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return VELK_SJIS("メモリが不足しています。");
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return VELK_SJIS("原因不明の例外が発生しました。");
}

int VelkApplication::StartupFailed(const std::string& what) {
    if (!failed_) {
        failed_ = true;
        QMessageBox box(QMessageBox::Critical, VELK_UI_TEXT("起動エラー"),
                        QtText::FromCp932(VELK_SJIS("Velkscope を起動できません。\n\n") + what), QMessageBox::Ok);
        box.exec();
    }
    QCoreApplication::exit(kStartupFailureStatus);
    return kStartupFailureStatus;
}
