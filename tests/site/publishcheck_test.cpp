#include <gtest/gtest.h>

#include "site/publishcheck.h"

// The service recomputes this code with the same function, so only values worked out by hand show
// a fault: the length of the page trimmed of spaces, as decimal digits; the digest of those digits
// (an ordinary MD5, since they are ASCII); its characters 8 to 19.
TEST(PublishCheckCode, IsTwelveDigestDigitsOfTheTrimmedLength) {
    const struct { QString page; const char* code; } cases[] = {
        {QString(), "495d565ef66e"},                // "0": cfcd208495d565ef66e7dff9f98764da
        {QStringLiteral("   "), "495d565ef66e"},    // only spaces: "0" again
        {QStringLiteral("  abc  "), "e4b5ce2fe283"},  // "3": eccbc87e4b5ce2fe28308fd9f2a7baf3
        {QStringLiteral("\tab"), "e4b5ce2fe283"},   // a tab is no space: "3"
        {QStringLiteral("\r\n x \r\n"), "fceea167a5a3"},  // "7": 8f14e45fceea167a5a36dedd4bea2543
        {QString(9, QLatin1Char('x')), "e2e2d7fbdea1"},   // "9": 45c48cce2e2d7fbdea1afc51c7c6ad26
        {QString(10, QLatin1Char('x')), "802a44259755"},  // "10": d3d9446802a44259755d38e6d163e820
        {QStringLiteral("&x_;html&d_;"), "76fe97759aa2"},  // "12": c20ad4d76fe97759aa27a0c99bff6710
        // Characters, not GBK bytes: "4" (not "8"), a87ff679a2f3e71d9181a67b7542122c
        {QStringLiteral(" 中文页面 "), "9a2f3e71d918"},
        // "23": 37693cfc748049e45d87b8c7d8b9aacd
        {QStringLiteral("&x_;p&d_;个人网站&x_;/p&d_;"), "c748049e45d8"},
        // A page longer than the digest accepts: only its length is digested. "40000":
        // 7c77f048a2d02e784926184a82686fa0
        {QLatin1Char(' ') + QString(40000, QLatin1Char('y')) + QLatin1Char(' '), "8a2d02e78492"},
    };
    for (const auto& c : cases) EXPECT_EQ(PublishCheckCode(c.page), QLatin1String(c.code)) << c.page.size();
}
