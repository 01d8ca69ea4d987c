#include <gtest/gtest.h>

#include "foundation/cipher.h"
#include "foundation/md5.h"
#include "platform/vberror.h"

TEST(Md5Hex, Rfc1321Suite) {
    const struct { const char* in; const char* out; } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) EXPECT_EQ(Md5Hex(QString::fromLatin1(c.in)), QLatin1String(c.out)) << c.in;
}

TEST(Md5Hex, ChineseCharactersSpillTheirSign) {
    // Worked out apart from this code: each character's signed GBK value (中 = 0xD6D0, so
    // 0xFFFFD6D0 once sign-extended) ORed into its byte position, then the RFC 1321 rounds.
    const struct { const char* in; const char* out; } cases[] = {
        {"中", "6cba308f8d5f2b49971dbb43879a078c"},
        // The two-byte character in each byte position of its word: the higher it sits, the
        // less of its sign survives (at the top only its trail byte is left).
        {"a中", "5ccba97b33a7b638a06b421636e21954"},
        {"ab中", "6926fb63d8055adf0845246dbe4469a7"},
        {"abc中", "34a3d53acf9543d17b55ca74c71df56d"},
        {"中a", "20fed70a7ea1bf97548e4d125af88006"},
        {"中文网站", "45fc03327c4049406fe4f9990cd0f39d"},
        {"个人网站abc", "373cd1878b2d50376fc3f86cc1d0e439"},
        // 56 characters: the end marker stays in the first block, the length goes to a second.
        {"个人网站xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx中文", "617ab9b9650b5cde85c42fc8a93ca718"},
        // No GBK code: the question mark's value, 63; a character outside the BMP is two of them.
        {"☃", "d1457b72c3fb323a2671125aef3eab5d"},
        {"☃x", "6afeb37060792766a9fd8215b1588d26"},
        {"\xF0\x9F\x98\x80", "ea03fcb8c47822bce772cf6c07d0ebbb"},
    };
    for (const auto& c : cases) EXPECT_EQ(Md5Hex(QString::fromUtf8(c.in)), QLatin1String(c.out)) << c.in;
    // The ones spilled by a leading character cover the next two byte positions of its word.
    EXPECT_EQ(Md5Hex(QStringLiteral("中abc")), QStringLiteral("723efde8f1e1b7200ea753648374982b"));
    EXPECT_EQ(Md5Hex(QStringLiteral("中axy")), QStringLiteral("723efde8f1e1b7200ea753648374982b"));
    EXPECT_NE(Md5Hex(QStringLiteral("Abc")), Md5Hex(QStringLiteral("abc")));
}

TEST(Md5Hex, LengthLimit) {
    EXPECT_NO_THROW(Md5Hex(QString(32767, QLatin1Char('x'))));
    EXPECT_THROW(Md5Hex(QString(32768, QLatin1Char('x'))), VbError);
}

TEST(Cipher, KnownBytesAndRoundTrips) {
    EXPECT_EQ(KeyByte(QString()), 0);
    EXPECT_EQ(EncryptText(QStringLiteral("A"), QString()), QByteArray("\x82\x00", 2));
    EXPECT_TRUE(EncryptText(QString(), QStringLiteral("k")).isEmpty());
    const QString texts[] = {QStringLiteral("abc</F><//R>T<///T>"), QStringLiteral("中文 ☆"),
                             QString::fromUtf8("\xF0\x9F\x98\x80 outside the BMP"), QString()};
    for (const QString& key : {QString(), QString::fromLatin1(kDataFileKeyText), QStringLiteral("另一个")})
        for (const QString& t : texts) EXPECT_EQ(DecryptBytes(EncryptText(t, key), key), t);
    EXPECT_EQ(EncryptText(QString::fromUtf8("\xF0\x9F\x98\x80"), QString()).size(), 4);
}

TEST(Cipher, OddAndSingleByteInputs) {
    const QString key = QString::fromLatin1(kDataFileKeyText);
    EXPECT_EQ(DecryptBytes(QByteArray(1, 'x'), key), QString());
    QByteArray three = EncryptText(QStringLiteral("Z"), key);
    three.append('\x7f');
    EXPECT_EQ(DecryptBytes(three, key), QStringLiteral("Z"));
}
