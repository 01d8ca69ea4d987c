// What a new user meets on the service: the demo member's site made from a gallery template with
// something in every cell, widget pages that show the member's pictures and entries rather than
// the keys they were sent, and a gallery of six distinct templates that shows pictures and names.
#include "emulator/demosite.h"
#include "emulator/templategallery.h"
#include "platform/ansi.h"
#include "site/sitemodel.h"
#include "support/emulatorfixture.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

namespace {

class DemoSite : public testsupport::EmulatorTest {
protected:
    const emu::Member& demo() { return *emulator().server().store().find(emulator().demoMember().name); }
    QString frame() {
        return QStringLiteral("http://") + QString(demo().prefix).replace(QStringLiteral("www"), QStringLiteral("frm")) +
               QLatin1Char('.') + emulator().domain() + QLatin1Char('/');
    }
    QString widget(const QString& page, const QString& album = QString()) {
        QString url = frame() + page + QStringLiteral("?k1=") + demo().memberKey + QStringLiteral("&k3=") + demo().prefix +
                      QStringLiteral("&k4=0");
        if (!album.isEmpty()) url += QStringLiteral("&k2=") + album;
        return url;
    }
};

// What a visitor reads: the page without its tags, scripts and styles.
QString VisibleText(QString html) {
    html.remove(QRegularExpression(QStringLiteral("<(script|style)[^>]*>.*?</\\1>"), QRegularExpression::DotMatchesEverythingOption));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html;
}

TEST_F(DemoSite, EveryCellOfTheDemoSiteShowsSomething) {
    const QStringList& site = demo().settings;
    ASSERT_EQ(site.size(), 333);
    for (int cell = 0; cell < FooterCell; ++cell) {
        if (cell == 1 || cell == 5 || cell == 6 || cell == 9 || cell == 11 || cell == 12 || cell == 17 || cell == 18 ||
            cell == 22 || cell == 23)
            continue;  // the widget cells, below
        const int R = GetCellBaseRow(static_cast<qint16>(cell));
        const bool shows = !site[R + CellBlock::CellBackground].isEmpty() || !site[R + CellBlock::CellForeground].isEmpty() ||
                           !site[R + CellBlock::CellTextHtml].isEmpty();
        EXPECT_TRUE(shows) << "cell " << cell;
    }
    EXPECT_EQ(site[HomeAlbumRow], emu::kDemoHomeAlbum);
    // The header picture is the member's own, stored on the service.
    EXPECT_EQ(emulator().get(site[GetCellBaseRow(2) + CellBlock::CellForeground]).status, 200);
}

TEST_F(DemoSite, EveryDemoPictureHasANameOfItsOwn) {
    // The file manager shows a file's description under its picture.
    int pictures = 0;
    for (const emu::Album& album : demo().albums) {
        QSet<QString> names;
        for (const emu::StoredFile& f : album.files) {
            SCOPED_TRACE((album.name + QLatin1Char('/') + f.name).toStdString());
            EXPECT_FALSE(f.description.trimmed().isEmpty());
            EXPECT_FALSE(names.contains(f.description));
            names.insert(f.description);
            ++pictures;
        }
    }
    EXPECT_GE(pictures, 20);
}

TEST_F(DemoSite, WidgetPagesShowPicturesAndEntriesNotTheirKeys) {
    const QDate today = QDate::currentDate();
    const struct {
        const char* page;
        const char* album;
        int pictures;        // pictures of the member's album the page shows
        const char* shows;   // a text the page shows
    } cases[] = {
        {"clock002.aspx", "www个人主页时钟", 1, "setInterval(tick,1000)"},
        {"photoslide002.aspx", "www个人主页三图滚动", 3, "三图滚动"},
        {"calendar002.aspx", "www个人主页日历", 1, ""},
        {"photo10list001.aspx", "www个人主页十图滚动", 6, "十图滚动"},
        {"album001.aspx", "我的相册", 6, "<h2>我的相册</h2>"},
        {"smallboard001.aspx", "", 0, "网站做得真漂亮"},
        {"albumlist001.aspx", "", 1, "我的相册（6）"},
        {"bloglist001.aspx", "", 0, "周末去爬山"},
        {"blogframe001.aspx", "", 0, "云海"},
        {"tbloglist001.aspx", "", 1, "新网站上线了，欢迎留言 :)"},
        {"vyminfo001.aspx", "", 0, "Tavolin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        const testsupport::EmulatorPage page = emulator().get(widget(QString::fromLatin1(c.page), QString::fromUtf8(c.album)));
        ASSERT_EQ(page.status, 200);
        const QString html = QString::fromUtf8(page.body);
        EXPECT_TRUE(html.contains(QString::fromUtf8(c.shows)));
        // The keys ride along for tests, never on the page.
        EXPECT_TRUE(html.contains(QStringLiteral("data-k1=\"") + demo().memberKey + QLatin1Char('"')));
        const QString text = VisibleText(html);
        EXPECT_FALSE(text.contains(demo().memberKey)) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("k1"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("会员："))) << text.toStdString();
        // The pictures it names are served.
        static const QRegularExpression img(QStringLiteral("(?:src=\"|url\\(')(http://img[^\"']+)"));
        QSet<QString> pictures;
        for (auto it = img.globalMatch(html); it.hasNext();) pictures.insert(it.next().captured(1));
        EXPECT_EQ(pictures.size(), c.pictures);
        for (const QString& p : pictures) {
            const testsupport::EmulatorPage picture = emulator().get(p);
            EXPECT_EQ(picture.status, 200) << p.toStdString();
            EXPECT_FALSE(QImage::fromData(picture.body).isNull()) << p.toStdString();
        }
    }
    // The calendar is this month's, today marked.
    const QString calendar = QString::fromUtf8(emulator().get(widget(QStringLiteral("calendar002.aspx"))).body);
    EXPECT_TRUE(calendar.contains(QStringLiteral("<h2>%1年%2月</h2>").arg(today.year()).arg(today.month())));
    EXPECT_TRUE(calendar.contains(QStringLiteral("<td class=\"today\">%1</td>").arg(today.day())));
    EXPECT_TRUE(calendar.contains(QStringLiteral("<td>%1</td>").arg(today.daysInMonth() == today.day() ? 1 : today.daysInMonth())));
    // A member without pictures gets an honest empty widget.
    EXPECT_TRUE(QString::fromUtf8(emulator().get(widget(QStringLiteral("photoslide002.aspx"), QStringLiteral("没有"))).body)
                    .contains(QStringLiteral("相册中还没有图片")));
}

TEST_F(DemoSite, PublishedPageShowsTheWidgetsOfTheMembersSite) {
    const testsupport::EmulatorPage page = emulator().get(QStringLiteral("http://www.") + demo().domain + QLatin1Char('.') +
                                                          emulator().domain() + QLatin1Char('/'));
    ASSERT_EQ(page.status, 200);
    const QString html = AnsiCodec::decode(page.body);
    for (const char* w : {"clock002.aspx", "photoslide002.aspx", "smallboard001.aspx", "calendar002.aspx", "album001.aspx"})
        EXPECT_TRUE(html.contains(QString::fromLatin1(w))) << w;
    EXPECT_TRUE(html.contains(QStringLiteral("欢迎光临")));
}

TEST_F(DemoSite, GalleryOffersSixDistinctTemplatesAsPicturesAndNames) {
    const QString host = QStringLiteral("sc.") + emulator().domain();
    const QList<emu::GalleryTemplate> templates = emu::GalleryTemplates(host);
    ASSERT_GE(templates.size(), 6);
    QSet<QString> colours, headers, names;
    for (const emu::GalleryTemplate& t : templates) {
        colours.insert(t.fields[HomeBackColorRow]);
        names.insert(t.name);
        QString layout;  // which cells have pictures, and how the header picture sits
        for (int cell = 0; cell < FooterCell; ++cell)
            if (GetCellBaseRow(static_cast<qint16>(cell)) && !t.fields[GetCellBaseRow(static_cast<qint16>(cell))].isEmpty())
                layout += QString::number(cell) + QLatin1Char(',');
        const int r2 = GetCellBaseRow(2);
        headers.insert(layout + t.fields[r2 + CellBlock::CellForeWidth] + t.fields[r2 + CellBlock::CellForeCode]);
    }
    EXPECT_EQ(colours.size(), templates.size());
    EXPECT_EQ(names.size(), templates.size());
    EXPECT_EQ(headers.size(), templates.size());
    const QString html = QString::fromUtf8(emulator().get(QStringLiteral("http://") + host + QStringLiteral("/pwtd/mb01/mb001.aspx")).body);
    QString cards = html.mid(html.indexOf(QStringLiteral("<div class=\"cards\">")));
    cards = cards.left(cards.indexOf(QStringLiteral("<div id=\"choice\">")));
    for (const emu::GalleryTemplate& t : templates) {
        EXPECT_TRUE(cards.contains(QStringLiteral("pic/%1_thumb.png").arg(t.id)));
        EXPECT_TRUE(cards.contains(QStringLiteral("<p>%1</p>").arg(t.name)));
    }
    EXPECT_FALSE(VisibleText(cards).contains(QStringLiteral("SiteInfo")));
    // The choice stays out of sight.
    EXPECT_TRUE(html.contains(QStringLiteral("#choice{position:absolute;left:-10000px")));
}

}  // namespace
