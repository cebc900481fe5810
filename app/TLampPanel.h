#pragma once
// The channel lamp panel: D-channel and B-channel lamps per direction and
// the voice-monitor lamps that choose the channel the device plays. A
// lamp's colour is its state; the owner reads selections back from it.
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class TLampPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 98;
    static constexpr int kChannels = 23;
    static constexpr int kLampWidth = 17;
    static constexpr int kLampHeight = 8;
    static constexpr int kDLampLeft = 69;
    static constexpr int kFirstLampLeft = 149;
    static constexpr int kLampPitch = 20;
    static constexpr int kStatusTop[2] = {25, 33};
    static constexpr int kVoiceTop[2] = {73, 81};

    explicit TLampPanel(QWidget* parent = nullptr);

    // Colours are 0x00BBGGRR.
    void SetDLamp(int row, uint32_t colour);
    void SetBLamp(int row, int index, uint32_t colour);
    void SetVoiceLamp(int row, int index, uint32_t colour);
    uint32_t DLamp(int row) const { return dLamps_[row & 1]; }
    uint32_t BLamp(int row, int index) const { return bLamps_[row & 1][index]; }
    uint32_t VoiceLamp(int row, int index) const { return voiceLamps_[row & 1][index]; }

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
    std::array<uint32_t, 2> dLamps_{};
    std::array<std::array<uint32_t, kChannels>, 2> bLamps_{};
    std::array<std::array<uint32_t, kChannels>, 2> voiceLamps_{};
    bool voiceClickable_ = true;
};
