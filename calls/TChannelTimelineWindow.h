#pragma once
// The channel timeline "チャネル使用状況": the B channels over time, each
// call a bar on the channels it named, live while a run takes frames (the
// view stays where the user put it). A click on a bar selects the call in
// the call list; "PNG保存" writes the picture as shown. Modeless, made once
// and reused.
#include <QWidget>

#include <cstdint>
#include <functional>

#include "calls/ChannelTimeline.h"

class CallFeed;
class ChannelTimelineView;
class DialogHost;
class ProgramModel;
class QLabel;
class QPushButton;
class QScrollBar;

class TChannelTimelineWindow : public QWidget {
    Q_OBJECT
public:
    TChannelTimelineWindow(DialogHost& dialogs, ProgramModel& model, CallFeed& feed);
    ~TChannelTimelineWindow() override;

    // Shown in front over every call so far; over the main window's client
    // area the first time.
    void Open();
    // "PNG保存": the picture as shown, through a save dialog, atomically.
    void SavePng();

    // A bar was clicked: its call's number.
    std::function<void(uint64_t)> onCallClicked;

    ChannelTimelineView* View() { return view_; }
    QScrollBar* ScrollBar() { return scroll_; }
    QPushButton* SaveButton() { return save_; }
    QLabel* SpanLabel() { return span_; }
    const ChannelTimeline& Timeline() const { return timeline_; }

private:
    void Ticked();
    void Rebuild();
    // The scroll bar and the label after a zoom or a scroll.
    void ShowView();

    DialogHost& dialogs_;
    ProgramModel& program_;
    CallFeed& feed_;
    ChannelTimeline timeline_;
    ChannelTimelineView* view_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QPushButton* whole_ = nullptr;
    QPushButton* save_ = nullptr;
    QLabel* span_ = nullptr;
    bool placed_ = false;
    // What the timeline was built from: built again when any of it moves.
    uint64_t generation_ = 0;
    size_t restarts_ = 0;
    int32_t lastRestart_ = -1;
};
