#include "search/SearchTexts.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"

std::string SearchTexts::ToCp932(const QString& text, bool& usable) {
    const QByteArray utf8 = text.toUtf8();
    return Cp932::FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), usable);
}


QGroupBox* SearchTexts::RadioGroup(QWidget* parent, const char* title, const char* first, const char* second,
                                   QRadioButton* (&buttons)[2]) {
    auto* group = new QGroupBox(QtText::Literal(title), parent);
    auto* layout = new QVBoxLayout(group);
    buttons[0] = new QRadioButton(QtText::Literal(first), group);
    buttons[1] = new QRadioButton(QtText::Literal(second), group);
    buttons[0]->setChecked(true);
    layout->addWidget(buttons[0]);
    layout->addWidget(buttons[1]);
    return group;
}
