#include "detail/DetailCommand.h"

#include "base/Cp932.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "ui/DialogHost.h"
#include "ui/FrameListView.h"
#include "ui/ProgramModel.h"

void DetailCommand::Run() {
    FrameStore& store = model_.Store();
    if (store.Count() == 0) return;
    const int row = list_.SelectedRow();
    if (row < 1) return;
    const size_t position = static_cast<size_t>(row - 1);
    if (position >= store.Count()) return;
    if (!store.At(position).CheckCrc()) {
        dialogs_.ShowMessageBox(VELK_SJIS("ＣＲＣエラーのデータは詳細表示できません。"), VELK_SJIS("誤操作"),
                               MessageBoxes::kIconWarning, MessageBoxes::kButtonsOk);
        return;
    }
    // The window draws from its own copy of the options, made here.
    DisplayOptions options;
    model_.Options().GetDisplayOptions(options);
    dialogs_.ShowDetailWindow(dialogs_.Owner(), options, store.At(position));
}
