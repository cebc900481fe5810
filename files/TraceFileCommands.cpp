#include "files/TraceFileCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "files/ReplacingFile.h"
#include "files/SaveName.h"
#include "files/TProgressBarDlg.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "ui/FileDialogs.h"
#include "ui/DialogHost.h"
#include "ui/EmptyStoreNotice.h"
#include "ui/FrameListView.h"
#include "ui/ProgramModel.h"
#include "ui/WindowPlacement.h"

namespace {

// Only a regular file is loaded: a named pipe or a device would block the
// window for ever, or never end.
int OpenRegularFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Drawing comes back however the load ends.
class DrawingPaused {
public:
    explicit DrawingPaused(FrameListView& list) : list_(list) { list_.SetDrawingEnabled(false); }
    ~DrawingPaused() { list_.SetDrawingEnabled(true); }

private:
    FrameListView& list_;
};

}  // namespace

TraceFileCommands::TraceFileCommands(DialogHost& dialogs, FrameListView& list, ProgramModel& model)
    : dialogs_(dialogs), list_(list), model_(model), progress_(new TProgressBarDlg(&dialogs.Owner())) {}

void TraceFileCommands::FileOpenMenuClick() {
    const QString path = FileDialogs::AskOpenTrace(dialogs_.Owner());
    if (path.isEmpty()) return;
    list_.RefreshList(false);
    {
        DrawingPaused paused(list_);
        const int fd = OpenRegularFile(path);
        if (fd < 0) {
            dialogs_.ShowMessageBox(VELK_SJIS("ファイル[") + QtText::ToCp932(path) + VELK_SJIS("]が\n見つかりません。"),
                                   VELK_SJIS("読み込み失敗"), MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
        } else {
            const Texts texts{VELK_SJIS("ファイル読み込み"), VELK_SJIS("読み込み処理をキャンセルしました。"),
                              VELK_SJIS("読み込み中止"), VELK_SJIS("読み込み処理に失敗しました。"),
                              VELK_SJIS("読み込み失敗")};
            if (RunFileThread(fd, RWthread::kLoad, texts)) list_.ShowFileName(path, false);
            ::close(fd);
        }
    }
    // The loaded records reuse INDEX values the list has counted before.
    list_.RefreshList(true);
}

void TraceFileCommands::FileSaveMenuClick() {
    if (EmptyStoreNotice::Shown(dialogs_, model_.Store(), EmptyStoreNotice::kSave)) return;
    DisplayOptions options;
    model_.Options().GetDisplayOptions(options);
    const QString path = FileDialogs::AskSaveTrace(dialogs_.Owner(), SaveName::Proposed(options.uniqueFileName != 0));
    if (path.isEmpty()) return;
    list_.RefreshList(false);
    // Written under a temporary name: a failed or cancelled save leaves an
    // overwritten file as it was.
    ReplacingFile file(QFile::encodeName(path).toStdString());
    if (!file.Open()) {
        dialogs_.ShowMessageBox(VELK_SJIS("ファイルが作成できません。"), VELK_SJIS("保存失敗"),
                               MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
    } else {
        const Texts texts{VELK_SJIS("ファイル保存中"), VELK_SJIS("保存処理をキャンセルしました。"),
                          VELK_SJIS("保存中止"), VELK_SJIS("保存処理に失敗しました。"), VELK_SJIS("保存失敗")};
        bool saved = RunFileThread(file.Fd(), RWthread::kSave, texts);
        if (saved && !file.Commit()) {
            saved = false;
            dialogs_.ShowMessageBox(texts.failureMessage, texts.failureCaption, MessageBoxes::kIconError,
                                   MessageBoxes::kButtonsOk);
        }
        if (saved) list_.ShowFileName(path, true);
        else file.Abandon();
    }
    list_.RefreshList(false);
}

bool TraceFileCommands::RunFileThread(int fd, RWthread::Mode mode, const Texts& texts) {
    FrameStore& store = model_.Store();
    store.Progress() = 0;
    RWthread worker(store, fd, mode);
    // A worker that cannot start counts as finished and failed.
    worker.Start();
    progress_->setWindowTitle(QtText::FromCp932(texts.dialogCaption));
    WindowPlacement::CentreOn(*progress_, dialogs_.Owner());
    const bool finished = progress_->Run(store.Progress(), [&worker] { return worker.Finished(); });
    worker.Terminate();
    if (!finished) {
        dialogs_.ShowMessageBox(texts.cancelMessage, texts.cancelCaption, MessageBoxes::kIconInformation,
                               MessageBoxes::kButtonsOk);
    }
    worker.WaitFor();
    if (mode == RWthread::kLoad && worker.LoadResult() == TraceFile::kStoreFull)
        dialogs_.PostNotification(DialogHost::kBufferFull);
    if (!finished) return false;
    if (!worker.Result())
        dialogs_.ShowMessageBox(texts.failureMessage, texts.failureCaption, MessageBoxes::kIconError,
                               MessageBoxes::kButtonsOk);
    return worker.Result();
}
