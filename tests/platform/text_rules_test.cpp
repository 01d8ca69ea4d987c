#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"

#include <cmath>
#include <limits>

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
    for (const char* yes : {"12", " 12 ", "-3.5", "+.5", "1e3", "1.0000e+02", "1D2", "&H1F", "0"})
        EXPECT_TRUE(vb::IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", " ", "12a", "1.2.3", "e5", "-", "1e", "&Hxyz"})
        EXPECT_FALSE(vb::IsNumeric(QString::fromLatin1(no))) << no;
}

TEST(RuntimeText, ValReadsWhatTheRuntimeReads) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct { const char* text; double value; } cases[] = {
        {"1e4", 10000}, {"2.5E2", 250}, {"1.0000e+02", 100}, {"-.5e1", -5}, {"1D3", 1000}, {"7e-2", 0.07},
        {"1e", 1}, {"1e+", 1}, {"3ex", 3}, {"12abc", 12}, {"1.2.3", 1.2}, {" 1 2\t3\n4", 1234},
        {"1615 198th Street N.E.", 1615198}, {"&HFF", 255}, {"&HFFFF", -1}, {"&H10000", 65536},
        {"&HFFFFFFFF", -1}, {"&O17", 15}, {"&Hxyz", 0}, {"", 0}, {"-", 0}, {".", 0}, {"e5", 0}, {"abc", 0},
        {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0}, {"&H100000000", inf},
    };
    for (const auto& c : cases) EXPECT_EQ(vb::Val(QString::fromLatin1(c.text)), c.value) << c.text;
    // Whatever the numeric test accepts, Val reads whole.
    for (const char* text : {"1e4", " 2.5E2 ", "1.0000e+02", "-3.5", "+.5", "1d2", "&H1F", "1.6e35"}) {
        const QString t = QString::fromLatin1(text);
        EXPECT_TRUE(vb::IsNumeric(t)) << text;
        const QString trimmed = t.trimmed();
        if (!trimmed.startsWith(QLatin1Char('&'))) {
            EXPECT_EQ(vb::Val(t), QString(trimmed).replace(QLatin1Char('d'), QLatin1Char('e')).toDouble()) << text;
        }
    }
}

TEST(RuntimeText, ConversionsToWholeNumbersAreChecked) {
    EXPECT_EQ(vb::CLng(2147483647.4), 2147483647);
    EXPECT_EQ(vb::CLng(-2147483648.5), -2147483648LL);
    EXPECT_EQ(vb::CLng(2.5), 2);
    for (double bad : {2147483647.5, -2147483649.0, 1.6e35, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
        try {
            (void)vb::CLng(bad);
            ADD_FAILURE() << bad;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), VbError::Overflow);
        }
    }
    EXPECT_EQ(vb::RoundHalfEven(1e300), std::numeric_limits<qint64>::max());
    EXPECT_EQ(vb::RoundHalfEven(-1e300), std::numeric_limits<qint64>::min());
    EXPECT_EQ(vb::RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(vb::RoundClamped(1.6e35, 0, 100), 100);
    EXPECT_EQ(vb::RoundClamped(-7.5, 0, 100), 0);
    EXPECT_EQ(vb::RoundClamped(42.5, 0, 100), 42);
    EXPECT_EQ(vb::RoundClamped(std::numeric_limits<double>::quiet_NaN(), 1, 9), 1);
}

TEST(RuntimeText, Formats) {
    EXPECT_EQ(vb::FormatFixed(1.23456, 4), QStringLiteral("1.2346"));
    EXPECT_EQ(vb::FormatYMD(QDate(2026, 3, 7)), QStringLiteral("2026-3-7"));
}
