#include "ui/EmptyStoreNotice.h"

#include "base/Cp932.h"
#include "store/FrameStore.h"
#include "ui/DialogHost.h"

bool EmptyStoreNotice::Shown(DialogHost& dialogs, const FrameStore& store, Command command) {
    return Shown(dialogs, store.Count(), command);
}

bool EmptyStoreNotice::Shown(DialogHost& dialogs, size_t count, Command command) {
    if (count != 0) return false;
    if (command == kPrint)
        dialogs.ShowMessageBox(VELK_SJIS("印刷するデータはありません。"), VELK_SJIS("印刷"),
                               MessageBoxes::kIconInformation, MessageBoxes::kButtonsOk);
    else
        dialogs.ShowMessageBox(VELK_SJIS("保存するデータはありません。"), VELK_SJIS("保存"),
                               MessageBoxes::kIconInformation, MessageBoxes::kButtonsOk);
    return true;
}
