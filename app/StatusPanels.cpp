#include "app/StatusPanels.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>
#include <QStringList>

#include <algorithm>

#include "base/Cp932.h"
#include "ui/QtText.h"

namespace {

constexpr int kWidths[3] = {80, 180, 50};

}  // namespace

StatusPanels::StatusPanels(QStatusBar& bar) : bar_(bar) {
    bar.setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(&bar);
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setMinimumWidth(kWidths[i]);
        if (i < 2) panels_[i]->setFixedWidth(kWidths[i]);
        bar.addWidget(panels_[i], i == 2 ? 1 : 0);
    }
}

void StatusPanels::ShowMonitoring(bool on) {
    if (on) panels_[0]->setText(VELK_UI_TEXT("Dchﾓﾆﾀｰ中"));
    else panels_[0]->clear();
}

void StatusPanels::ShowWaitingForDevice() { panels_[0]->setText(VELK_UI_TEXT("接続待ち")); }

void StatusPanels::ShowModes(const MonitorOptions& monitor) {
    std::string text = monitor.ringBuffer ? VELK_SJIS("ﾘﾝｸﾞﾊﾞｯﾌｧ  ") : VELK_SJIS("ﾊﾞｯﾌｧ  ");
    if (monitor.logFile) text += VELK_SJIS("ﾛｸﾞ  ");
    text += monitor.voiceAutomatic ? VELK_SJIS("音声ﾓﾆﾀｰ自動") : VELK_SJIS("音声ﾓﾆﾀｰ手動");
    panels_[1]->setText(QtText::FromCp932(text));
}

QString StatusPanels::ShortenPath(const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width) return path;
    // Drop leading folders one by one: "/a/b/c/f" -> "/.../c/f" -> "/.../f".
    QStringList parts = path.split(QLatin1Char('/'));
    const QString root = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    if (!root.isEmpty()) parts.removeFirst();
    for (int skip = 1; skip < parts.size(); ++skip) {
        QString candidate = root + QStringLiteral("...") + QLatin1Char('/') + parts.mid(skip).join(QLatin1Char('/'));
        if (metrics.horizontalAdvance(candidate) <= width) return candidate;
    }
    const QString last = root + QStringLiteral(".../") + parts.last();
    return metrics.elidedText(last, Qt::ElideRight, width);
}

void StatusPanels::ShowFileName(const QString& path, bool onlyIfEmpty) {
    QLabel& panel = *panels_[2];
    if (onlyIfEmpty && !panel.text().isEmpty()) return;
    fileName_ = path;
    const int width = bar_.width() - kWidths[0] - kWidths[1] - 8;
    panel.setToolTip(path);
    panel.setText(ShortenPath(path, panel.fontMetrics(), std::max(0, width)));
}
