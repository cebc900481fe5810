#include "base/QtText.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include "base/Cp932.h"

TEST(QtText, ShowsCp932AsTheCharactersItHolds) {
    // "ﾓﾆﾀｰ開始" as the device menus spell it, half-width katakana then kanji.
    std::string bytes = "\xD3\xC6\xC0\xB0\x8A\x4A\x8E\x6E";
    EXPECT_EQ(QtText::FromCp932(bytes), QString::fromUtf8("ﾓﾆﾀｰ開始"));
    EXPECT_EQ(QtText::ToCp932(QString::fromUtf8("ﾓﾆﾀｰ開始")), bytes);
    // The wave dash of CP932 is the full-width tilde.
    EXPECT_EQ(QtText::FromCp932("\x81\x60"), QString(QChar(0xFF5E)));
}

TEST(QtText, AgreesWithQtsOwnDecoderWhereQtHasOne) {
    QStringDecoder decoder("CP932");
    if (!decoder.isValid()) GTEST_SKIP() << "this Qt has no CP932 decoder";
    std::string bytes = VELK_SJIS("ﾌﾟﾛﾄｺﾙﾓﾆﾀは未接続状態です ＭＳ ゴシック ～①");
    QString viaQt = decoder(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    EXPECT_EQ(QtText::FromCp932(bytes), viaQt);
}
