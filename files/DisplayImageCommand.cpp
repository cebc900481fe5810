#include "files/DisplayImageCommand.h"

#include <QFile>

#include "base/Cp932.h"
#include "decode/MessageCatalogue.h"
#include "files/DetailEntrySource.h"
#include "files/ListExport.h"
#include "files/ReplacingFile.h"
#include "files/SaveName.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "ui/FileDialogs.h"
#include "ui/DialogHost.h"
#include "ui/EmptyStoreNotice.h"
#include "ui/ProgramModel.h"

void DisplayImageCommand::ExportDisplayImage() {
    const FrameStore& store = model_.Store();
    if (EmptyStoreNotice::Shown(dialogs_, store, EmptyStoreNotice::kSave)) return;
    DisplayOptions snapshot;
    model_.Options().GetDisplayOptions(snapshot);
    const QString path = FileDialogs::AskSaveText(dialogs_.Owner(), SaveName::Proposed(snapshot.uniqueFileName != 0));
    if (path.isEmpty()) return;
    // The dialog ran an event loop: the options may have changed meanwhile.
    model_.Options().GetDisplayOptions(snapshot);

    // A failed write (a full disk) leaves an overwritten file as it was.
    ReplacingFile file(QFile::encodeName(path).toStdString());
    bool ok = file.Open();
    if (ok) {
        const std::unique_ptr<DetailSource> details = makeDetails_();
        ok = ListExport::ExportList(store, snapshot, MessageCatalogue::Program(), *details, file.Fd()) &&
             file.Commit();
    }
    if (!ok) {
        file.Abandon();
        dialogs_.ShowMessageBox(VELK_SJIS("指定のファイルに保存できませんでした。"), VELK_SJIS("異常"),
                               MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
    }
}

std::unique_ptr<DetailSource> DisplayImageCommand::ProgramDetails() {
    return std::make_unique<DetailEntrySource>(MessageCatalogue::Program());
}
