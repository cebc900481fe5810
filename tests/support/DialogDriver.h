#pragma once
// Answers the modal dialogs a command opens while a test runs it: each step
// acts on the next modal dialog to come up, also on one that comes up from
// inside a step (a file dialog's overwrite question). A dialog with no step
// left is rejected, so a test never waits for ever. Header-only.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

namespace testsupport {

class DialogDriver {
public:
    using Step = std::function<void(QDialog&)>;

    explicit DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(10);
    }
    // The title of each dialog met, ": " and the text of a message box.
    QStringList seen;

    static Step Accept() { return [](QDialog& d) { d.accept(); }; }
    static Step Reject() { return [](QDialog& d) { d.reject(); }; }
    // A name field that has the focus keeps its text against selectFile.
    static Step ChooseFile(const std::string& path) {
        return [path](QDialog& d) {
            if (QWidget* focus = d.focusWidget()) focus->clearFocus();
            static_cast<QFileDialog&>(d).selectFile(QString::fromStdString(path));
            d.accept();
        };
    }
    static Step Press(QMessageBox::StandardButton button) {
        return [button](QDialog& d) { static_cast<QMessageBox&>(d).button(button)->click(); };
    }

private:
    void Poll() {
        if (last_ && !last_->isVisible()) last_ = nullptr;  // a dialog shown again is a new one
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == last_.data() || !dialog->isVisible()) {
            candidate_ = nullptr;
            return;
        }
        // Met only when still up at the next poll: a file dialog is up for
        // a moment after its overwrite question, on its way out.
        if (dialog != candidate_.data()) {
            candidate_ = dialog;
            return;
        }
        candidate_ = nullptr;
        last_ = dialog;
        // Closed and shown again between two polls, it is still a new one.
        QObject::connect(dialog, &QDialog::finished, &timer_, [this] { last_ = nullptr; }, Qt::SingleShotConnection);
        const auto* box = qobject_cast<QMessageBox*>(dialog);
        seen << dialog->windowTitle() + (box ? ": " + box->text() : QString());
        // A timer does not fire while its own handler runs: the step gets a
        // timer of its own, so that a dialog it opens is polled too.
        const Step step = next_ < steps_.size() ? steps_[next_++] : Reject();
        QTimer::singleShot(0, dialog, [step, dialog] { step(*dialog); });
    }

    std::vector<Step> steps_;
    size_t next_ = 0;
    QPointer<QDialog> last_;
    QPointer<QDialog> candidate_;
    QTimer timer_;
};

// Runs ask with the dialogs it opens answered by steps in turn.
inline void Answered(const std::function<void()>& ask, std::vector<DialogDriver::Step> steps) {
    DialogDriver driver(std::move(steps));
    ask();
}

}  // namespace testsupport
