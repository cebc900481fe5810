#pragma once
// The notice of the commands that need frames to work on: with an empty
// store, 保存 and 表示ｲﾒｰｼﾞ保存 say there is nothing to save, 印刷 that there
// is nothing to print, and the command ends there.
#include <cstddef>

class DialogHost;
class FrameStore;

class EmptyStoreNotice {
public:
    enum Command { kSave, kPrint };
    // True (after the notice) when the store is empty.
    static bool Shown(DialogHost& dialogs, const FrameStore& store, Command command);
    // The same for anything else held: count items.
    static bool Shown(DialogHost& dialogs, size_t count, Command command);
};
