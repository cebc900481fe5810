#pragma once
// What a command needs of the program's state: the frame store, the
// options, the calls read from the frames and the checks of them, and the
// word that options changed so the window follows them.
#include <string>

class CallFeed;
class FrameStore;
class OptionData;
class ProtocolChecker;

class ProgramModel {
public:
    virtual ~ProgramModel() = default;

    virtual FrameStore& Store() = 0;
    virtual OptionData& Options() = 0;
    // The calls of the store's frames, fed as frames come; nullptr where
    // nothing feeds them.
    virtual CallFeed* Calls() { return nullptr; }
    // The protocol checks of the same frames, read beside the calls;
    // nullptr where nothing checks them.
    virtual ProtocolChecker* Checks() { return nullptr; }
    // The trace file the status bar names (loaded from, or saved to while
    // it named none), CP932; empty for the frames of a run.
    virtual std::string FileName() { return {}; }
    // The display options changed: row heights counted again, list repainted.
    virtual void DisplayOptionsChanged() = 0;
    // The monitor options changed: the device reconnected on their port
    // without messages, the status bar modes and the voice lamps afresh.
    virtual void MonitorOptionsChanged() = 0;
    // The options' window state applied to the window.
    virtual void WindowStateChanged() = 0;
};
