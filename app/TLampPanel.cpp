#include "app/TLampPanel.h"

#include <QMouseEvent>
#include <QPainter>

#include "base/Cp932.h"
#include "ui/QtText.h"

namespace {

QColor ColourOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QString Text(const std::string& cp932) { return QtText::FromCp932(cp932); }

void DrawLamp(QPainter& p, const QRect& r, uint32_t colour) {
    p.setPen(Qt::black);
    p.setBrush(ColourOf(colour));
    p.drawRoundedRect(r, 3, 3);
}

void DrawGroup(QPainter& p, const QRect& frame, const QString& caption) {
    p.setPen(Qt::gray);
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    const QFontMetrics fm(p.font());
    QRect label(frame.left() + 8, frame.top() - fm.height() / 2, fm.horizontalAdvance(caption) + 6,
                fm.height());
    p.fillRect(label, p.background());
    p.setPen(Qt::black);
    p.drawText(label, Qt::AlignCenter, caption);
}

}  // namespace

TLampPanel::TLampPanel(const ChannelLamps& lamps, const DisplayOptions& colours, QWidget* parent)
    : QWidget(parent), lamps_(lamps), colours_(colours) {
    setFixedHeight(kHeight);
    setMouseTracking(true);
    setAutoFillBackground(true);
}

uint32_t TLampPanel::Colour(ChannelLamps::Lamp lamp) const {
    switch (lamp) {
    case ChannelLamps::kActive: return colours_.lampActiveColour;
    case ChannelLamps::kInactive: return colours_.lampInactiveColour;
    case ChannelLamps::kLineFault: return colours_.lampFaultColour;
    case ChannelLamps::kUnknown: break;
    }
    return 0x000000;
}

void TLampPanel::SetVoiceClickable(bool clickable) {
    voiceClickable_ = clickable;
    unsetCursor();
}

bool TLampPanel::VoiceLampAt(const QPoint& point, int& row, int& index) {
    for (int r = 0; r < 2; ++r)
        for (int i = 0; i < kChannels; ++i)
            if (VoiceLampRect(r, i).contains(point)) {
                row = r;
                index = i;
                return true;
            }
    return false;
}

void TLampPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setBackground(palette().color(QPalette::Window));
    const int right = kFirstLampLeft + kLampPitch * kChannels + 4;
    DrawGroup(p, QRect(4, 8, 116, 40), Text(VELK_SJIS("Dch情報")));
    DrawGroup(p, QRect(124, 8, right - 124, 40), Text(VELK_SJIS("Bch情報")));
    DrawGroup(p, QRect(124, 56, right - 124, 38), Text(VELK_SJIS("音声ﾓﾆﾀ")));

    const QFontMetrics fm(p.font());
    p.setPen(Qt::black);
    // The two lamp rows stand 8 pixels apart: their labels take a small font.
    const QFont captionFont = p.font();
    QFont rowFont = captionFont;
    rowFont.setPixelSize(kLampHeight + 1);
    auto rowLabel = [&](int x, int top, const char* text) {
        p.setFont(rowFont);
        p.drawText(QRect(x, top - 1, 20, kLampHeight + 2), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromLatin1(text));
        p.setFont(captionFont);
    };
    for (int r = 0; r < 2; ++r) {
        const char* name = r == 0 ? "TX" : "RX";
        rowLabel(kDLampLeft - 24, kStatusTop[r], name);
        rowLabel(kFirstLampLeft - 24, kStatusTop[r], name);
        rowLabel(kFirstLampLeft - 24, kVoiceTop[r], name);
        DrawLamp(p, LampRect(kDLampLeft, kStatusTop[r]), Colour(lamps_.DLamp(r)));
        for (int i = 0; i < kChannels; ++i) {
            DrawLamp(p, LampRect(kFirstLampLeft + kLampPitch * i, kStatusTop[r]), Colour(lamps_.BLamp(r, i)));
            DrawLamp(p, VoiceLampRect(r, i), Colour(lamps_.VoiceLamp(r, i)));
        }
    }
    // Channel numbers over lamps 5, 10, 15 and 20 of both lamp groups.
    for (int n = 5; n <= 20; n += 5) {
        const int left = kFirstLampLeft + kLampPitch * (n - 1);
        for (int top : {kStatusTop[0], kVoiceTop[0]}) {
            p.drawText(QRect(left - 4, top - fm.height() - 1, kLampWidth + 8, fm.height()),
                       Qt::AlignHCenter | Qt::AlignBottom, QString::number(n));
        }
    }
}

void TLampPanel::mouseMoveEvent(QMouseEvent* event) {
    int row = 0, index = 0;
    const bool over = VoiceLampAt(event->position().toPoint(), row, index);
    setCursor(over && voiceClickable_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TLampPanel::mouseReleaseEvent(QMouseEvent* event) {
    int row = 0, index = 0;
    if (VoiceLampAt(event->position().toPoint(), row, index) && onVoiceLampClicked)
        onVoiceLampClicked(index, row);
}
