// Values in addresses: the query-value and path-segment rules, the hosted-file address, and every
// builder of a service address walked with the values that would break a raw one.
#include <gtest/gtest.h>

#include "albums/uploadwindowcontroller.h"
#include "blogs/blogwriter.h"
#include "celleditor/celleditor.h"
#include "celleditor/writetext.h"
#include "foundation/htmltext.h"
#include "hostedfiles/filemanager.h"
#include "imageeditor/imageeditor.h"
#include "login/loginflow.h"
#include "login/memberpages.h"
#include "mainwindow/commands.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "siteoptions/domainregistration.h"
#include "siteoptions/musicsettings.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "support/fixtures.h"

#include <QRegularExpression>
#include <QUrl>

#include <functional>

TEST(Addresses, QueryValuesAndPathSegmentsEncodeOnlyWhatChangesTheAddress) {
    const struct {
        const char* value;
        const char* query;
        const char* segment;
    } cases[] = {
        {"a&b", "a%26b", "a&b"},
        {"第#1", "第%231", "第%231"},
        {"50%", "50%25", "50%25"},
        {"旅行", "旅行", "旅行"},
        {"a b?\"<x>'€+", "a%20b?\"<x>'€+", "a%20b%3F%22%3Cx%3E'€+"},
        {"旅行#1 & 50%", "旅行%231%20%26%2050%25", "旅行%231%20&%2050%25"},
        {"plain-name_01.jpg", "plain-name_01.jpg", "plain-name_01.jpg"},
    };
    for (const auto& c : cases) {
        const QString v = QString::fromUtf8(c.value);
        EXPECT_EQ(EncodeQueryValue(v), QString::fromUtf8(c.query)) << c.value;
        EXPECT_EQ(EncodePathSegment(v), QString::fromUtf8(c.segment)) << c.value;
        // What the segment rule writes reads back whole.
        EXPECT_EQ(QUrl::fromPercentEncoding(EncodePathSegment(v).toUtf8()), v) << c.value;
    }
}

TEST(Addresses, HostedFileAddressEncodesTheAlbumAndNameOfTheListedAddress) {
    const QString space = QStringLiteral("http://img1.x.test/space/f/");
    const struct {
        const char* listed;
        const char* album;
        const char* name;
        const char* address;
    } cases[] = {
        // Plain names keep every byte.
        {"Abc/A1.GIF", "Abc", "A1.GIF", "Abc/A1.GIF"},
        {"旅行/www1.jpg", "旅行", "www1.jpg", "旅行/www1.jpg"},
        {"a&b 'c'/x.jpg", "a&b 'c'", "x.jpg", "a&b%20'c'/x.jpg"},
        {"旅行#1 & 50%/www1.jpg", "旅行#1 & 50%", "www1.jpg", "旅行%231%20&%2050%25/www1.jpg"},
        {"相册/a#b?.png", "相册", "a#b?.png", "相册/a%23b%3F.png"},
        // A file of the root album has no album segment; only its name is encoded.
        {"a%.jpg", "根目录", "a%.jpg", "a%25.jpg"},
        // An address already encoded, or of another form, stays as the service gave it.
        {"50%25/x.jpg", "50%", "x.jpg", "50%25/x.jpg"},
        {"other/place", "50%", "x.jpg", "other/place"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HostedFileAddress(space + QString::fromUtf8(c.listed), QString::fromUtf8(c.album), QString::fromUtf8(c.name)),
                  space + QString::fromUtf8(c.address))
            << c.listed;
}

namespace {

// The query of an address, or of the first src="…" of a piece of markup.
QString QueryOf(const QString& built) {
    QString address = built;
    if (const qsizetype s = built.indexOf(QLatin1String("src=\"")); s >= 0) {
        address = built.mid(s + 5);
        address.truncate(address.indexOf(QLatin1Char('"')));
    }
    const qsizetype q = address.indexOf(QLatin1Char('?'));
    return q < 0 ? QString() : address.mid(q + 1);
}

class QueryBuilders : public testsupport::DataRootTest {};

}  // namespace

TEST_F(QueryBuilders, EveryBuilderEncodesEveryValueItPutsIntoAQuery) {
    const QDate day(2026, 12, 11);
    const std::vector<std::pair<const char*, std::function<QString(const QString& value)>>> builders = {
        {"MemberPageQuery", [](const QString&) { return MemberPageQuery(); }},
        {"AdvertisementPageQuery", [](const QString&) { return AdvertisementPageQuery(); }},
        {"RealNamePageAddress", [](const QString&) { return RealNamePageAddress(); }},
        {"MemberInfoPageAddress", [](const QString&) { return MemberInfoPageAddress(); }},
        {"GuestbookPageAddress", [](const QString&) { return GuestbookPageAddress(); }},
        {"MessagePageAddress", [](const QString&) { return MessagePageAddress(); }},
        {"SuggestionPageAddress", [](const QString&) { return SuggestionPageAddress(); }},
        {"LoginAdUrl", [&](const QString&) { return LoginAdUrl(QStringLiteral("1"), day); }},
        {"WaitingAdUrl", [&](const QString& v) { return WaitingAdUrl(QStringLiteral("1"), day, v, v); }},
        {"CellEditorAdUrl", [&](const QString&) { return CellEditorAdUrl(day); }},
        {"CellEditorHelpUrl", [](const QString&) { return CellEditorHelpUrl(); }},
        {"WriteTextAdUrl", [&](const QString&) { return WriteTextAdUrl(day); }},
        {"FileManagerAdAddress", [&](const QString&) { return FileManagerAdAddress(day); }},
        {"EditorAdAddress", [&](const QString&) { return EditorAdAddress(QStringLiteral("ad.html"), day); }},
        {"UploadAdvertisementAddress", [&](const QString&) { return UploadAdvertisementAddress(day); }},
        {"AlbumFrameText", [](const QString& v) { return blogwriter::AlbumFrameText(v, true); }},
        {"DomainAgreementUrl", [](const QString&) { return DomainAgreementUrl(); }},
        {"MusicHelpPageUrl", [](const QString&) { return MusicHelpPageUrl(); }},
        {"WidgetElement clock", [](const QString&) { return WidgetElement(1); }},
        {"WidgetElement board", [](const QString&) { return WidgetElement(6); }},
        {"WidgetElement album", [](const QString&) { return WidgetElement(18); }},
    };
    // A query item is a key and a value in which "%" starts only the three escapes of the rule.
    static const QRegularExpression item(QStringLiteral("^k\\d+=(?:[^%#& ]|%2[0356])*$"));
    for (const char* raw : {"a&b", "第#1", "50%", "旅行相册", "旅行#1 & 50%"}) {
        const QString v = QString::fromUtf8(raw);
        // Every value a builder may take from the member, the login or the site holds v.
        CurrentUserName = v;
        ClientVersion = v;
        for (int field : {6, 10, 11, 15}) SetLoginField(field, v);
        SysNotices.set(5, 2, QStringLiteral("http://www.x.test/realname.aspx"));
        SiteSettings.create();
        SiteSettings(LocalColumn, HomeAlbumRow) = v;
        for (const auto& [name, build] : builders) {
            const QString query = QueryOf(build(v));
            ASSERT_FALSE(query.isEmpty()) << name;
            bool carries = false;
            for (const QString& part : query.split(QLatin1Char('&'))) {
                EXPECT_TRUE(item.match(part).hasMatch()) << name << " with " << raw << ": " << qPrintable(query);
                carries = carries || QUrl::fromPercentEncoding(part.section(QLatin1Char('='), 1).toUtf8()) == v;
            }
            EXPECT_TRUE(carries) << name << " with " << raw << ": " << qPrintable(query);
        }
    }
}
