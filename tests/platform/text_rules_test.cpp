#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "platform/vbtext.h"

TEST(AnsiCodec, EncodesGbkAndMarksUnmappableCharactersOneByOne) {
    EXPECT_EQ(AnsiCodec::encode(QStringLiteral("A中")), QByteArray("A\xD6\xD0"));
    // A Hangul syllable, an emoji (two code units) and a Thai letter are outside GBK.
    EXPECT_EQ(AnsiCodec::encode(QString::fromUtf8("a\xEA\xB0\x80" "b")), QByteArray("a?b"));
    EXPECT_EQ(AnsiCodec::encode(QString::fromUtf8("\xF0\x9F\x98\x80")), QByteArray("??"));
    EXPECT_EQ(AnsiCodec::decode(QByteArray("x\xD6\xD0\xB9\xFA")), QStringLiteral("x中国"));
}

TEST(AnsiCodec, ByteLengthAndCharacterValue) {
    EXPECT_EQ(AnsiCodec::byteLength(QStringLiteral("相册abc")), 7);
    EXPECT_EQ(AnsiCodec::charValue(QChar(u'中')), -10544);
    EXPECT_EQ(AnsiCodec::charValue(QChar(u'A')), 65);
    EXPECT_EQ(AnsiCodec::charValue(QChar(0xAC00)), 63);
}

TEST(RuntimeText, TrimRemovesSpacesOnly) {
    EXPECT_EQ(vb::Trim(QStringLiteral("  a b \t")), QStringLiteral("a b \t"));
    EXPECT_EQ(vb::Trim(QStringLiteral("\r x ")), QStringLiteral("\r x"));
    EXPECT_EQ(vb::LTrim(QStringLiteral("  x  ")), QStringLiteral("x  "));
}

TEST(RuntimeText, OneBasedHelpers) {
    EXPECT_EQ(vb::Mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(vb::Mid(QStringLiteral("abc"), 5), QString());
    EXPECT_EQ(vb::InStr(QStringLiteral("abcabc"), QStringLiteral("c")), 3);
    EXPECT_EQ(vb::InStr(4, QStringLiteral("abcabc"), QStringLiteral("c")), 6);
    EXPECT_EQ(vb::InStr(QStringLiteral("abc"), QStringLiteral("z")), 0);
    EXPECT_EQ(vb::InStrRev(QStringLiteral("a\\b\\c"), QStringLiteral("\\")), 4);
}

TEST(RuntimeText, RoundingGoesHalfToEven) {
    const struct { double in; qint64 out; } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.51, 3}};
    for (const auto& c : cases) EXPECT_EQ(vb::RoundHalfEven(c.in), c.out) << c.in;
}

TEST(RuntimeText, NumericTest) {
    for (const char* yes : {"12", " 12 ", "-3.5", "+.5", "1e3", "&H1F", "0"})
        EXPECT_TRUE(vb::IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", " ", "12a", "1.2.3", "e5", "-", "1e", "&Hxyz"})
        EXPECT_FALSE(vb::IsNumeric(QString::fromLatin1(no))) << no;
}

TEST(RuntimeText, Formats) {
    EXPECT_EQ(vb::FormatFixed(1.23456, 4), QStringLiteral("1.2346"));
    EXPECT_EQ(vb::FormatYMD(QDate(2026, 3, 7)), QStringLiteral("2026-3-7"));
}
