#include <gtest/gtest.h>

#include "foundation/cipher.h"
#include "foundation/md5.h"
#include "login/logintoken.h"
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
    EXPECT_EQ(Md5Hex(QStringLiteral("中")), QStringLiteral("6cba308f8d5f2b49971dbb43879a078c"));
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

TEST(LoginToken, ShapeAndKnownValue) {
    // md5("secret") = 5ebe2294ecd0e0f08eab7690d2a6ee69; L = 5ebe2294ecd0e0f0, R = 8eab7690d2a6ee69;
    // the inner digest is of "ebe" + "6".
    const QString b = Md5Hex(QStringLiteral("ebe6"));
    EXPECT_EQ(LoginToken(QStringLiteral("secret")),
              b.left(3) + QStringLiteral("8eab7690d2a6ee695ebe2294ecd0e0f0") + b.right(2));
    for (const QString& p : {QString(), QStringLiteral(" x "), QString(300, QLatin1Char('p'))})
        EXPECT_EQ(LoginToken(p).size(), 37);
    EXPECT_NE(LoginToken(QStringLiteral("Secret")), LoginToken(QStringLiteral("secret")));
}
