#include "search/SearchTexts.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "base/QtText.h"

std::string SearchTexts::ToCp932(const QString& text, bool& usable) {
    std::string cp932 = QtText::ToCp932(text);
    usable = QtText::FromCp932(cp932) == text;
    return cp932;
}

QString SearchTexts::Text(const char* utf8) { return QtText::FromCp932(Cp932::FromUtf8(utf8)); }

QGroupBox* SearchTexts::RadioGroup(QWidget* parent, const char* title, const char* first, const char* second,
                                   QRadioButton* (&buttons)[2]) {
    auto* group = new QGroupBox(Text(title), parent);
    auto* layout = new QVBoxLayout(group);
    buttons[0] = new QRadioButton(Text(first), group);
    buttons[1] = new QRadioButton(Text(second), group);
    buttons[0]->setChecked(true);
    layout->addWidget(buttons[0]);
    layout->addWidget(buttons[1]);
    return group;
}
