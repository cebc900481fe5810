#pragma once
// The channel lamp panel: D-channel and B-channel lamps per direction and
// the voice-monitor lamps that choose the channel the device plays. It
// paints the lamp states it is given in the display options' lamp colours
// and reports clicks on voice lamps; the states are the owner's.
#include <QWidget>

#include <functional>

#include "device/ChannelLamps.h"
#include "options/DisplayOptions.h"

class TLampPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 98;
    static constexpr int kLampWidth = 17;
    static constexpr int kLampHeight = 8;
    static constexpr int kDLampLeft = 69;
    static constexpr int kFirstLampLeft = 149;
    static constexpr int kLampPitch = 20;
    static constexpr int kStatusTop[2] = {25, 33};
    static constexpr int kVoiceTop[2] = {73, 81};

    static constexpr int kChannels = ChannelLamps::kChannels;

    // Both are the owner's and outlive the panel; call update() after a change.
    TLampPanel(const ChannelLamps& lamps, const DisplayOptions& colours, QWidget* parent = nullptr);

    // Hand cursor over the voice lamps (manual selection) or the arrow.
    void SetVoiceClickable(bool clickable);
    bool VoiceClickable() const { return voiceClickable_; }

    static QRect LampRect(int left, int top) { return QRect(left, top, kLampWidth, kLampHeight); }
    static QRect VoiceLampRect(int row, int index) {
        return LampRect(kFirstLampLeft + kLampPitch * index, kVoiceTop[row & 1]);
    }
    // The voice lamp under a point: true with row and index.
    static bool VoiceLampAt(const QPoint& point, int& row, int& index);

    // Mouse button released on a voice lamp.
    std::function<void(int index, int row)> onVoiceLampClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // 0x00BBGGRR of a lamp state; no status yet is black.
    uint32_t Colour(ChannelLamps::Lamp lamp) const;

    const ChannelLamps& lamps_;
    const DisplayOptions& colours_;
    bool voiceClickable_ = true;
};
