#include "files/DisplayImageCommand.h"

#include <QFile>

#include "base/Cp932.h"
#include "decode/MessageCatalogue.h"
#include "files/ListExport.h"
#include "files/ReplacingFile.h"
#include "files/SaveName.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "ui/FileDialogs.h"
#include "ui/MainWindowServices.h"

void DisplayImageCommand::ExportDisplayImage() {
    const FrameStore& store = window_.Store();
    if (store.Count() == 0) {
        window_.ShowMessageBox(VELK_SJIS("保存するデータはありません。"), VELK_SJIS("保存"),
                               MessageBoxes::kIconInformation, MessageBoxes::kButtonsOk);
        return;
    }
    DisplayOptions snapshot;
    window_.Options().GetDisplayOptions(snapshot);
    const QString path = FileDialogs::AskSaveText(window_.Owner(), SaveName::Proposed(snapshot.uniqueFileName != 0));
    if (path.isEmpty()) return;
    // The dialog ran an event loop: the options may have changed meanwhile.
    window_.Options().GetDisplayOptions(snapshot);

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
        window_.ShowMessageBox(VELK_SJIS("指定のファイルに保存できませんでした。"), VELK_SJIS("異常"),
                               MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
    }
}
