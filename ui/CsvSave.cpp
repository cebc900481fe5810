#include "ui/CsvSave.h"

#include <QFile>

#include "base/Cp932.h"
#include "files/ReplacingFile.h"
#include "files/SaveName.h"
#include "options/OptionData.h"
#include "ui/DialogHost.h"
#include "ui/EmptyStoreNotice.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramModel.h"
#include "ui/QtText.h"

bool CsvSave::Run(QWidget& owner, DialogHost& dialogs, ProgramModel& program, size_t count,
                  const std::function<std::string()>& text) {
    if (EmptyStoreNotice::Shown(dialogs, count, EmptyStoreNotice::kSave)) return false;
    DisplayOptions options;
    program.Options().GetDisplayOptions(options);
    const QString path = FileDialogs::AskSaveCsv(owner, SaveName::Proposed(options.uniqueFileName != 0));
    if (path.isEmpty()) return false;
    if (ReplacingFile::Write(QFile::encodeName(path).toStdString(), text())) return true;
    dialogs.ShowMessageBox(VELK_SJIS("指定のファイルに保存できませんでした。"), VELK_SJIS("異常"),
                           MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
    return false;
}
