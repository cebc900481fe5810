#include "ui/QtText.h"

#include "base/Cp932.h"

// Both directions go through the core's converter, so the windows show
// exactly the characters the files and exports hold.
QString QtText::FromCp932(std::string_view cp932) {
    std::string utf8 = Cp932::ToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string QtText::ToCp932(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return Cp932::FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

QString QtText::Literal(const char* utf8) { return FromCp932(Cp932::FromUtf8(utf8)); }
