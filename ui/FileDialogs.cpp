#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QMimeDatabase>

#include "base/Cp932.h"
#include "ui/QtText.h"

namespace {

enum Kind { kTrace, kText, kCsv, kPng, kSvg, kKinds };

// Qt's own provider reads a file to tell its type, and reading a named pipe
// or a kernel file such as /proc/kmsg blocks the dialog for ever: types here
// come from the name alone.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QFileIconProvider::type(info);
        return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
    }
};

// The folder last chosen in each kind of dialog, as the reused dialogs of
// the desktop tool remember it.
QString& LastFolder(Kind kind) {
    static QString folders[kKinds];
    return folders[kind];
}

QString Ask(QWidget& owner, Kind kind, bool save, const std::string& proposed) {
    QFileDialog dialog(&owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    NameOnlyIconProvider icons;
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    static const std::string filters[kKinds] = {VELK_SJIS("ISDNﾓﾆﾀ-ﾃﾞｰﾀﾌｧｲﾙ(*.vkt)"), VELK_SJIS("ﾃｷｽﾄﾌｧｲﾙ(*.txt)"),
                                                VELK_SJIS("CSVﾌｧｲﾙ(*.csv)"), VELK_SJIS("PNGﾌｧｲﾙ(*.png)"),
                                                VELK_SJIS("SVGﾌｧｲﾙ(*.svg)")};
    static const char* const suffixes[kKinds] = {"vkt", "txt", "csv", "png", "svg"};
    dialog.setNameFilter(QtText::FromCp932(filters[kind]));
    dialog.setDefaultSuffix(QString::fromLatin1(suffixes[kind]));
    if (!LastFolder(kind).isEmpty()) dialog.setDirectory(LastFolder(kind));
    if (save && !proposed.empty()) dialog.selectFile(QtText::FromCp932(proposed));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    LastFolder(kind) = dialog.directory().absolutePath();
    return dialog.selectedFiles().first();
}

}  // namespace

QString FileDialogs::AskOpenTrace(QWidget& owner) { return Ask(owner, kTrace, false, {}); }

QString FileDialogs::AskSaveTrace(QWidget& owner, const std::string& proposed) {
    return Ask(owner, kTrace, true, proposed);
}

QString FileDialogs::AskSaveText(QWidget& owner, const std::string& proposed) {
    return Ask(owner, kText, true, proposed);
}

QString FileDialogs::AskSaveCsv(QWidget& owner, const std::string& proposed) {
    return Ask(owner, kCsv, true, proposed);
}

QString FileDialogs::AskSavePng(QWidget& owner, const std::string& proposed) {
    return Ask(owner, kPng, true, proposed);
}

QString FileDialogs::AskSaveSvg(QWidget& owner, const std::string& proposed) {
    return Ask(owner, kSvg, true, proposed);
}
