#pragma once
// The window edge of the search dialogs: texts in CP932, told apart from
// ones CP932 cannot hold (their "?" would match a real question mark), and
// the two-choice radio groups the dialogs share.
#include <QString>

#include <string>

class QGroupBox;
class QRadioButton;
class QWidget;

class SearchTexts {
public:
    static std::string ToCp932(const QString& text, bool& usable);
    // A titled group of two radio buttons, the first one checked.
    static QGroupBox* RadioGroup(QWidget* parent, const char* title, const char* first, const char* second,
                                 QRadioButton* (&buttons)[2]);
};
