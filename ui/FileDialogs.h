#pragma once
// The open and save dialogs of the file commands: trace files (*.vkt),
// text exports (*.txt), the call views' CSV (*.csv) and pictures (*.png,
// *.svg). Each returns the chosen path, or an empty string when the user
// cancelled. Save dialogs ask before overwriting.
#include <QString>

#include <string>

class QWidget;

class FileDialogs {
public:
    static QString AskOpenTrace(QWidget& owner);
    // proposed is the name offered (CP932; empty for none).
    static QString AskSaveTrace(QWidget& owner, const std::string& proposed);
    static QString AskSaveText(QWidget& owner, const std::string& proposed);
    static QString AskSaveCsv(QWidget& owner, const std::string& proposed);
    static QString AskSavePng(QWidget& owner, const std::string& proposed);
    static QString AskSaveSvg(QWidget& owner, const std::string& proposed);
};
