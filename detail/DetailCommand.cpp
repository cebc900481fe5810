#include "detail/DetailCommand.h"

#include "base/Cp932.h"
#include "detail/TL3Form1.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "ui/MainWindowServices.h"

void DetailCommand::Run() {
    FrameStore& store = window_.Store();
    if (store.Count() == 0) return;
    const int row = window_.SelectedRow();
    if (row < 1) return;
    const size_t position = static_cast<size_t>(row - 1);
    if (position >= store.Count()) return;
    if (!store.At(position).CheckCrc()) {
        window_.ShowMessageBox(VELK_SJIS("ＣＲＣエラーのデータは詳細表示できません。"), VELK_SJIS("誤操作"),
                               MessageBoxes::kIconWarning, MessageBoxes::kButtonsOk);
        return;
    }
    if (onOpenDetail) {
        onOpenDetail(position);
        return;
    }
    // The window draws from its own copy of the options, made here.
    DisplayOptions options;
    window_.Options().GetDisplayOptions(options);
    TL3Form1 form(window_.Owner(), options, store.At(position));
    form.exec();
}
