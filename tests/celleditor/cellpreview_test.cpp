// The cell editor's preview page, pinned byte for byte.
#include <gtest/gtest.h>

#include "celleditor/cellpreview.h"
#include "platform/safefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "support/sitefixture.h"

#include <QDir>

using testsupport::sameBytes;

namespace {

class CellPreview : public testsupport::SiteTest {
protected:
    // The editor on a cell of its real size, its controls as designed: 宋体 12 in black, no
    // margins, foreground centred, cheFlash ticked.
    static CellEditorSnapshot editor(int cell) {
        CellEditorSnapshot e;
        e.record = QStringList(14);
        e.record[CellRecordEntry::Cell] = QString::number(cell);
        e.record[CellRecordEntry::Width] = QString::number(GetCellWidth(qint16(cell)));
        e.record[CellRecordEntry::Height] = QString::number(GetCellHeight(qint16(cell)));
        e.panel.font = QStringLiteral("宋体");
        e.panel.fontSize = QStringLiteral("12");
        return e;
    }
    static void setBackground(CellEditorSnapshot& e, const QString& b) { e.record[CellRecordEntry::FirstBlockRow] = b; }
    static void setForeground(CellEditorSnapshot& e, const QString& f, const QString& w, const QString& h) {
        e.record[CellRecordEntry::FirstBlockRow + CellBlock::CellForeground] = f;
        e.foreWidth = w;
        e.foreHeight = h;
    }
    static QStringList fields() {
        QStringList f(15);
        f[5] = QStringLiteral("#000000");
        return f;
    }
    void expectGolden(const char* name, const CellEditorSnapshot& e) {
        QStringList f = fields();
        int refreshed = 0;
        WriteCellPreview(e, f, [&] { ++refreshed; });
        EXPECT_EQ(refreshed, 1);
        EXPECT_TRUE(sameBytes(golden(QStringLiteral("celleditor"), QString::fromLatin1(name)), page(QStringLiteral("setpic.html"))));
    }
    const QString img = QStringLiteral("http://img12.sitehost.test/space/f1/www网站素材/");
};

}  // namespace

TEST_F(CellPreview, PictureCells) {
    // Background, picture foreground at the bottom right, text above it: the page cell aligned,
    // the text's layer after the picture.
    CellEditorSnapshot e = editor(8);
    setBackground(e, img + QStringLiteral("grb8.jpg"));
    setForeground(e, img + QStringLiteral("grp8.gif"), QStringLiteral("120"), QStringLiteral(" 90"));
    e.foreVertical = 2;
    e.foreHorizontal = 2;
    e.text = QStringLiteral("春天\r\n<到了>");
    e.panel.layer = 1;
    expectGolden("preview_picture_above.html", e);
    // Below: the picture in its own aligned table over the text; the page cell not aligned.
    e.panel.layer = 0;
    expectGolden("preview_picture_below.html", e);
    // Only spaces: the picture alone, no rule, no alignment, no text.
    e.text = QStringLiteral("   ");
    expectGolden("preview_picture_blank_text.html", e);
    // An upper-case SWF is a Flash movie; with cheFlash clear it has no wmode line.
    CellEditorSnapshot flash = editor(13);
    setForeground(flash, QStringLiteral("C:/movies/Spring.SWF"), QStringLiteral("300"), QStringLiteral("200"));
    flash.flashTicked = false;
    expectGolden("preview_flash_opaque.html", flash);
    // Neither background nor foreground: the text layer alone, "<td height=... >".
    CellEditorSnapshot text = editor(3);
    text.text = QStringLiteral("只有文字");
    text.panel.margins = {QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    expectGolden("preview_text_only.html", text);
}

TEST_F(CellPreview, MusicBoxOfCellFour) {
    SiteSettings(LocalColumn, MusicUrlRow) = QStringLiteral("http://music.test/song.mp3");
    SiteSettings(LocalColumn, MusicOffRow) = QStringLiteral("0");
    SiteSettings(LocalColumn, MusicPlayerShownRow) = QStringLiteral("1");
    // With a foreground and text, the box floats above the aligned picture, whatever cobTC says.
    CellEditorSnapshot e = editor(4);
    setForeground(e, img + QStringLiteral("grp4.jpg"), QStringLiteral("100"), QStringLiteral("80"));
    e.foreVertical = 1;
    e.text = QStringLiteral("歌词在此");
    QStringList f = fields();
    f[5] = QStringLiteral("FF0000");
    expectGolden("preview_music_foreground.html", e);
    // Without a foreground the box is the whole content.
    setForeground(e, QString(), QStringLiteral("100"), QStringLiteral("80"));
    expectGolden("preview_music_only.html", e);
    // The box came in place of the text layer, so the colours were not completed.
    CellPreviewPage(e, f);
    EXPECT_EQ(f[5], QStringLiteral("FF0000"));
}

TEST_F(CellPreview, PhotoScrollerOfCellTwelve) {
    // The service's frame host and its own page; text and foreground are not shown.
    CellEditorSnapshot e = editor(12);
    setBackground(e, img + QStringLiteral("grb12.jpg"));
    setForeground(e, img + QStringLiteral("grp12.jpg"), QStringLiteral("600"), QStringLiteral("100"));
    e.text = QStringLiteral("不显示");
    expectGolden("preview_cell12.html", e);
}

TEST_F(CellPreview, WidgetCells) {
    // Cell 18 with no album asks for the root album; nothing over the widget.
    expectGolden("preview_cell18_root_album.html", editor(18));
    // Without member key and protection key: k1 the member name, k4 "0".
    SetLoginField(11, QString());
    SetLoginField(15, QString());
    CellEditorSnapshot clock = editor(1);
    setBackground(clock, img + QStringLiteral("grb1.jpg"));
    expectGolden("preview_widget_unkeyed.html", clock);
    SetLoginField(11, QStringLiteral("u7788"));
    SetLoginField(15, QStringLiteral("9f8e7d6c"));
    // Prefix WWW12: the frame host frm12, k3 as stored.
    SetLoginField(6, QStringLiteral("WWW12"));
    CellEditorSnapshot board = editor(6);
    board.text = QStringLiteral("留言");
    expectGolden("preview_widget_upper_prefix.html", board);
    SetLoginField(6, QStringLiteral("www12"));
    // A foreground without text floats over the widget, aligned in its own table.
    CellEditorSnapshot calendar = editor(9);
    setForeground(calendar, img + QStringLiteral("grp9.gif"), QStringLiteral("150"), QStringLiteral("100"));
    calendar.foreVertical = 1;
    calendar.foreHorizontal = 1;
    expectGolden("preview_widget_foreground.html", calendar);
    // Foreground and text: above, the text's layer after the table and the page cell aligned;
    // below, the text first and the table in its layer.
    CellEditorSnapshot blog = editor(22);
    setForeground(blog, QStringLiteral("C:/flash/top.swf"), QStringLiteral("260"), QStringLiteral("60"));
    blog.foreVertical = 1;
    blog.text = QStringLiteral("博客");
    blog.panel.layer = 1;
    expectGolden("preview_widget_text_above.html", blog);
    blog.panel.layer = 0;
    expectGolden("preview_widget_text_below.html", blog);
}

TEST_F(CellPreview, FailuresKeepOrDegradeThePage) {
    QStringList f = fields();
    int refreshed = 0;
    const auto refresh = [&] { ++refreshed; };
    CellEditorSnapshot good = editor(9);
    WriteCellPreview(good, f, refresh);
    const QByteArray before = page(QStringLiteral("setpic.html"));
    ASSERT_FALSE(before.isEmpty());

    // A widget page stops at a size or margin that is no 16-bit number: no page, no refresh.
    for (const auto& [width, margin] : {std::pair{"40000", "0"}, std::pair{"150", "70000"}}) {
        CellEditorSnapshot bad = editor(9);
        bad.record[CellRecordEntry::Width] = QString::fromLatin1(width);
        bad.text = QStringLiteral("字");
        bad.panel.margins[0] = QString::fromLatin1(margin);
        EXPECT_FALSE(CellPreviewPage(bad, f));
        WriteCellPreview(bad, f, refresh);
        EXPECT_EQ(refreshed, 1);
        EXPECT_EQ(page(QStringLiteral("setpic.html")), before);
    }

    // A picture page goes on: the size counts as 0 and the failed text layer is left out.
    CellEditorSnapshot picture = editor(3);
    picture.record[CellRecordEntry::Width] = QStringLiteral("abc");
    picture.text = QStringLiteral("字");
    const std::optional<QString> built = CellPreviewPage(picture, f);
    ASSERT_TRUE(built);
    EXPECT_TRUE(built->contains(QStringLiteral("\r<table width=\"0\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\r")));
    EXPECT_TRUE(built->contains(QStringLiteral("\r      \r    </td>")));

    // A page that cannot be written leaves the old one, and the refresh still runs.
    {
        paths::SafeWriteFault fault(pagePath(QStringLiteral("setpic.html")), paths::SafeWriteStep::Rename);
        WriteCellPreview(editor(3), f, refresh);
    }
    EXPECT_EQ(refreshed, 2);
    EXPECT_EQ(page(QStringLiteral("setpic.html")), before);
    ASSERT_TRUE(QDir(UserFolder + QStringLiteral("/temp")).removeRecursively());
    WriteCellPreview(good, f, refresh);
    EXPECT_EQ(refreshed, 3);
}
