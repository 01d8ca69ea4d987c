#include <gtest/gtest.h>

#include "login/logintoken.h"

// The service checks the token with these same functions, so only values worked out by hand show
// a fault: a = digest of the password, L and R its halves, b = digest of L[2..4] + R[15] (from 1);
// the token is b's first 3 characters, R, L, b's last 2.
TEST(LoginToken, KnownAnswers) {
    const struct { const char* password; const char* token; } cases[] = {
        // a = 5ebe2294ecd0e0f08eab7690d2a6ee69, b = md5("ebe6") = d7238fbc9b30caa42a5e0f97a6e81ebf
        {"secret", "d728eab7690d2a6ee695ebe2294ecd0e0f0bf"},
        // a = 1e6947ac7fb3a9529a9726eb692c8cc5: case is kept
        {"Secret", "4179a9726eb692c8cc51e6947ac7fb3a95235"},
        // a = d41d8cd98f00b204e9800998ecf8427e, b = md5("41d7") = 9ce333bbe21756ca759e34c67ddbf8fd
        {"", "9cee9800998ecf8427ed41d8cd98f00b204fd"},
        // Not trimmed: a = b7c772017ca41ec199fd3dbd7c43ba4c, b = md5("7c74")
        {" pass word ", "b5d99fd3dbd7c43ba4cb7c772017ca41ec183"},
        // GBK passwords go through the program's own digest: a = 026112dd907e4d2b96b45595e2d76efa
        {"密码123", "08c96b45595e2d76efa026112dd907e4d2bf0"},
        // a = 9bba7b5c0db460988891bbd17b102365
        {"我的密码", "a2c8891bbd17b1023659bba7b5c0db4609800"},
    };
    for (const auto& c : cases) EXPECT_EQ(LoginToken(QString::fromUtf8(c.password)), QLatin1String(c.token)) << c.password;
    for (const QString& p : {QString(), QStringLiteral(" x "), QString(300, QLatin1Char('p'))})
        EXPECT_EQ(LoginToken(p).size(), 37);
}

TEST(LoginToken, FromAStoredDigest) {
    // Halves of sixteen distinct digits, so a character taken one place off changes the inner text:
    // L[2..4] = "123", R[15] = "1"; md5("1231") = 6c14da109e294d1e8155be8aa4b1ce8e.
    EXPECT_EQ(LoginTokenFromDigest(QStringLiteral("0123456789abcdeffedcba9876543210")),
              QStringLiteral("6c1fedcba98765432100123456789abcdef8e"));
    EXPECT_EQ(LoginTokenFromDigest(QStringLiteral("5ebe2294ecd0e0f08eab7690d2a6ee69")),
              LoginToken(QStringLiteral("secret")));
}
