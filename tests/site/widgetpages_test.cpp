// The service widget cells.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "platform/ansi.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "support/sitefixture.h"

using testsupport::putCell;
using testsupport::sameBytes;
namespace B = CellBlock;

namespace {
class WidgetPages : public testsupport::SiteTest {};
const QString kImg = QStringLiteral("http://img12.sitehost.test/");
const QString kStyle2 = QStringLiteral("2,11,0/0/0/0/,12,宋体,#000000,,0,0,0,0,0,0,,,,,,");
}  // namespace

TEST_F(WidgetPages, EveryWidgetWithoutContent) {
    // No foreground and no text: no rule, no division; line 12 empty and line 20 six spaces and
    // the widget.
    for (qint16 cell : {1, 5, 6, 9, 11, 12, 17, 18, 22, 23}) {
        SCOPED_TRACE(cell);
        LayerCss.clear();
        CreateWidgetHtml(cell, LocalColumn);
        EXPECT_TRUE(sameBytes(golden(QStringLiteral("site"), QStringLiteral("widget%1_plain.html").arg(cell, 2, 10, QLatin1Char('0'))),
                              page(QString::number(cell) + QStringLiteral(".html"))));
        EXPECT_TRUE(LayerCss.isEmpty());
    }
}

TEST_F(WidgetPages, GoldenLayerCases) {
    struct Case {
        const char* golden;
        qint16 cell;
        qint16 column;
        const char* background;
        const char* foreground;
        const char* width;
        const char* height;
        const char* code;
        const char* text;
        QString style;
    };
    const Case cases[] = {
        // Text only: wrapped once in the layer division.
        {"widget11_text.html", 11, LocalColumn, "", "", "", "", "", "<p>微博标题</p>", QString()},
        // Foreground only: the foreground table aligned (centre, bottom), wrapped once.
        {"widget12_foreground.html", 12, LocalColumn, "bg12.jpg", "fg12.gif", "600", "100", "21", "", QString()},
        // Foreground and text with an empty style: the foreground's layer over the text, no
        // alignment on the page cell; built from column 1, the album still from column 0.
        {"widget18_fg_under_text.html", 18, PublishColumn, "bg18.jpg", "fg18.jpg", "670", "672", "00", "相册上的字",
         QString()},
        // Style "2": the text's layer over a transparent Flash; the page cell aligned too.
        {"widget06_flash_above.html", 6, LocalColumn, "", "board.swf", "320", "210", "022", "<i>留言</i>", kStyle2},
        // A code matching none of the nine pairs aligns nothing anywhere.
        {"widget17_bad_code.html", 17, LocalColumn, "", "list.gif", "140", "670", "33", "目录", kStyle2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        SiteSettings.create();
        LayerCss = QStringLiteral("#Layer0 {}");
        SiteSettings(PublishColumn, HomeAlbumRow) = QStringLiteral("旅行");
        const auto url = [](const char* f) { return *f ? kImg + QString::fromUtf8(f) : QString(); };
        putCell(c.column, c.cell, B::CellBackground, url(c.background));
        putCell(c.column, c.cell, B::CellForeground, url(c.foreground));
        putCell(c.column, c.cell, B::CellForeWidth, QString::fromLatin1(c.width));
        putCell(c.column, c.cell, B::CellForeHeight, QString::fromLatin1(c.height));
        putCell(c.column, c.cell, B::CellForeCode, QString::fromLatin1(c.code));
        putCell(c.column, c.cell, B::CellTextHtml, QString::fromUtf8(c.text));
        putCell(c.column, c.cell, B::CellTextStyle, c.style);
        const QString fragment = CreateWidgetHtml(c.cell, c.column);
        const QByteArray expected = golden(QStringLiteral("site"), QString::fromLatin1(c.golden));
        EXPECT_TRUE(sameBytes(expected, page(QString::number(c.cell) + QStringLiteral(".html"))));
        // The rule follows what was there, and the fragment continues the page cell's "<td".
        EXPECT_TRUE(LayerCss.startsWith(QStringLiteral("#Layer0 {}\r#Layer%1 {").arg(c.cell)));
        QString inPage = fragment;
        inPage.insert(inPage.indexOf(QLatin1Char('>')) + 1, QStringLiteral("\r      "));
        EXPECT_TRUE(expected.contains(AnsiCodec::encode(inPage + QStringLiteral("\r    </td>"))));
    }
}

TEST_F(WidgetPages, KeysHostsAndAlbum) {
    SetLoginField(6, QStringLiteral("WWW1www"));
    SetLoginField(11, QString());
    SetLoginField(15, QString());
    const QString clock = CreateWidgetHtml(1, LocalColumn);
    EXPECT_TRUE(clock.contains(QStringLiteral("http://frm1frm.sitehost.test/clock002.aspx?k1=zhang&k2=www个人主页时钟"
                                              "&k3=WWW1www&k4=0\"")));
    SiteSettings(LocalColumn, HomeAlbumRow) = QStringLiteral("我的 相册&1");
    SiteSettings(TemplateColumn, HomeAlbumRow) = QStringLiteral("模板相册");
    EXPECT_TRUE(CreateWidgetHtml(18, TemplateColumn).contains(QStringLiteral("&k2=我的%20相册%261&k3=")));
}

TEST_F(WidgetPages, QueryValuesReachTheServiceWhole) {
    // "&", "#" and "%" in any value would split the key, cut the address or start an escape.
    SetLoginField(6, QStringLiteral("WWW1#"));
    SetLoginField(11, QStringLiteral("k&1"));
    SetLoginField(15, QStringLiteral("50%"));
    const struct {
        qint16 cell;
        const char* album;
        const char* query;
    } cases[] = {
        {18, "旅行&美食", "?k1=k%261&k2=旅行%26美食&k3=WWW1%23&k4=50%25\""},
        {18, "第#1", "&k2=第%231&k3="},
        {18, "a%26b", "&k2=a%2526b&k3="},
        {1, "", "?k1=k%261&k2=www个人主页时钟&k3=WWW1%23&k4=50%25\""},
        {6, "", "?k1=k%261&k2=WWW1%23&k4=50%25\""},
        {22, "", "?k1=k%261&k3=WWW1%23&k4=50%25\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        SiteSettings(LocalColumn, HomeAlbumRow) = QString::fromUtf8(c.album);
        const QString fragment = CreateWidgetHtml(c.cell, LocalColumn);
        EXPECT_TRUE(fragment.contains(QString::fromUtf8(c.query))) << fragment.toStdString();
        // The page file carries the same address, Chinese as GBK bytes.
        const QByteArray file = page(QString::number(c.cell) + QStringLiteral(".html"));
        EXPECT_TRUE(file.contains(AnsiCodec::encode(QString::fromUtf8(c.query))));
    }
    // The frame host is built from the prefix as stored, not from its encoded form.
    EXPECT_TRUE(CreateWidgetHtml(1, LocalColumn).contains(QStringLiteral("http://frm1#.sitehost.test/clock002.aspx?")));
    // A cell outside the ten gets no widget, but the rest is built.
    putCell(LocalColumn, 8, B::CellTextHtml, QStringLiteral("T"));
    EXPECT_EQ(CreateWidgetHtml(8, LocalColumn), QStringLiteral("><div id=\"Layer8\">T</div>"));
    EXPECT_TRUE(QFileInfo::exists(pagePath(QStringLiteral("8.html"))));
}

TEST_F(WidgetPages, PreviewOnlyAndWriteFailures) {
    putCell(TemplateColumn, 22, B::CellTextHtml, QStringLiteral("T"));
    testsupport::writeFile(pagePath(QStringLiteral("22.html")), "old");
    PreviewOnly = -1;
    EXPECT_TRUE(CreateWidgetHtml(22, TemplateColumn).startsWith(QStringLiteral("><div id=\"Layer22\">T</div><iframe")));
    EXPECT_EQ(page(QStringLiteral("22.html")), QByteArray("old"));
    EXPECT_TRUE(LayerCss.startsWith(QStringLiteral("#Layer22 {")));
    PreviewOnly = 0;
    QDir(UserFolder + QStringLiteral("/temp")).removeRecursively();
    EXPECT_THROW(CreateWidgetHtml(22, TemplateColumn), VbError);
}
