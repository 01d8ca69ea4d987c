// The four background pages and the footer.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "platform/ansi.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "support/sitefixture.h"

using testsupport::sameBytes;

namespace {
class BackgroundPages : public testsupport::SiteTest {};
}  // namespace

TEST_F(BackgroundPages, GoldenBackgroundPages) {
    struct Case {
        const char* golden;
        const char* name;
        const char* own;   // the page's own row
        const char* home;  // row 301
    };
    const Case cases[] = {
        // Row 303 empty: the home colour, used as stored (no "#" added).
        {"bg_b1_falls_back.html", "b1", "", "ffeedd"},
        // Both empty: one empty line between the title and "</head>".
        {"bg_b3_none.html", "b3", "", ""},
        // The page's own row wins over row 301.
        {"bg_b2_own.html", "b2", "#00FF00", "#111111"},
    };
    const QHash<QString, int> rows = {{"b1", MiddleBackColorRow}, {"b2", AlbumBackColorRow}, {"b3", BlogBackColorRow}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        SiteSettings.create();
        const QString name = QString::fromLatin1(c.name);
        SiteSettings(LocalColumn, rows[name]) = QString::fromUtf8(c.own);
        SiteSettings(LocalColumn, HomeBackColorRow) = QString::fromUtf8(c.home);
        EXPECT_EQ(CreateBackgroundHtml(name, LocalColumn), QString());
        EXPECT_TRUE(sameBytes(golden(QStringLiteral("site"), QString::fromLatin1(c.golden)),
                              page(name + QStringLiteral(".html"))));
        EXPECT_EQ(SiteSettings(LocalColumn, HomeBackColorRow), QString::fromUtf8(c.home));  // never changed
    }
}

TEST_F(BackgroundPages, HomePageAndOtherNamesAndColumns) {
    SiteSettings(PublishColumn, HomeBackColorRow) = QStringLiteral("#010203");
    SiteSettings(LocalColumn, HomeBackColorRow) = QStringLiteral("#FFFFFF");
    CreateBackgroundHtml(QStringLiteral("b"), PublishColumn);
    EXPECT_TRUE(page(QStringLiteral("b.html")).contains("    background-color: #010203;\r}"));
    // Any other name reads row 0 (then row 301) and still writes a page under its own name.
    SiteSettings(PublishColumn, 0) = QStringLiteral("#0A0B0C");
    CreateBackgroundHtml(QStringLiteral("B1"), PublishColumn);
    EXPECT_TRUE(page(QStringLiteral("B1.html")).contains("background-color: #0A0B0C;"));
}

TEST_F(BackgroundPages, GoldenFooters) {
    struct Case {
        const char* golden;
        qint16 column;
        const char* prefix;
        const char* memberKey;  // LoginInfo field 11
        const char* siteKey;    // LoginInfo field 15
        const char* home;       // row 301 before
        const char* homeAfter;  // row 301 after
    };
    const Case cases[] = {
        // An upper-case prefix: the host is lower-cased first, k2 keeps it; empty keys give the
        // member name and "0"; the colour gets its "#" in the table and in the page, not in k3.
        {"footer_upper_prefix.html", LocalColumn, "WWW12", "", "", "ff0000", "#ff0000"},
        {"footer_hash_colour.html", PublishColumn, "www12", "u7788", "9f8e7d6c", "#A0B0C0", "#A0B0C0"},
        {"footer_no_colour.html", LocalColumn, "www12", "u7788", "9f8e7d6c", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        SiteSettings.create();
        SetLoginField(6, QString::fromLatin1(c.prefix));
        SetLoginField(11, QString::fromLatin1(c.memberKey));
        SetLoginField(15, QString::fromLatin1(c.siteKey));
        SiteSettings(c.column, HomeBackColorRow) = QString::fromLatin1(c.home);
        const QString fragment = CreateFooterHtml(FooterCell, c.column);
        const QByteArray expected = golden(QStringLiteral("site"), QString::fromLatin1(c.golden));
        EXPECT_TRUE(sameBytes(expected, page(QStringLiteral("32.html"))));
        EXPECT_EQ(SiteSettings(c.column, HomeBackColorRow), QString::fromLatin1(c.homeAfter));
        // The fragment is the page's body.
        EXPECT_TRUE(expected.contains("<body>\r" + AnsiCodec::encode(fragment) + "\r</body>"));
    }
}

TEST_F(BackgroundPages, FooterQueryValuesReachTheServiceWhole) {
    // "&", "#" and "%" in a key or in the colour would split, cut or escape the address; the
    // colour's own "#" still becomes "--" first, and the page's style keeps the colour as it is.
    SetLoginField(6, QStringLiteral("WWW&1"));
    SetLoginField(11, QStringLiteral("k#1"));
    SetLoginField(15, QStringLiteral("%41"));
    SiteSettings(LocalColumn, HomeBackColorRow) = QStringLiteral("#a&b%");
    const QString fragment = CreateFooterHtml(FooterCell, LocalColumn);
    EXPECT_TRUE(fragment.contains(QStringLiteral("http://frm&1.sitehost.test/vyminfo001.aspx?k1=k%231&k2=WWW%261"
                                                 "&k3=--a%26b%25&k4=%2541\"")))
        << fragment.toStdString();
    EXPECT_TRUE(page(QStringLiteral("32.html")).contains("    background-color: #a&b%;\r}"));
}

TEST_F(BackgroundPages, PreviewOnlyLeavesFilesAndTableAlone) {
    SiteSettings(TemplateColumn, HomeBackColorRow) = QStringLiteral("123456");
    PreviewOnly = -1;
    const QString fragment = CreateFooterHtml(FooterCell, TemplateColumn);
    EXPECT_TRUE(fragment.contains(QStringLiteral("&k3=123456&k4=9f8e7d6c")));
    EXPECT_EQ(SiteSettings(TemplateColumn, HomeBackColorRow), QStringLiteral("123456"));
    CreateBackgroundHtml(QStringLiteral("b"), TemplateColumn);
    EXPECT_TRUE(QDir(UserFolder + QStringLiteral("/temp")).isEmpty());
}

TEST_F(BackgroundPages, WriteFailuresReachTheCaller) {
    QDir(UserFolder + QStringLiteral("/temp")).removeRecursively();
    EXPECT_THROW(CreateBackgroundHtml(QStringLiteral("b"), LocalColumn), VbError);
    EXPECT_THROW(CreateFooterHtml(FooterCell, LocalColumn), VbError);
}
