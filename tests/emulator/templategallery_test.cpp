// The template gallery on the materials host: the page before a choice, and templates whose
// colours, pictures and music the service really serves.
#include "emulator/templategallery.h"
#include "site/sitemodel.h"
#include "support/emulatorfixture.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRegularExpression>

namespace {

class TemplateGallery : public testsupport::EmulatorTest {
protected:
    QString host() { return QStringLiteral("sc.") + emulator().domain(); }
    QString gallery() { return QStringLiteral("http://") + host() + QStringLiteral("/pwtd/mb01/mb001.aspx"); }
};

TEST_F(TemplateGallery, PageShowsNoChoiceUntilATemplateIsClicked) {
    const testsupport::EmulatorPage page = emulator().get(gallery());
    ASSERT_EQ(page.status, 200);
    const QString html = QString::fromUtf8(page.body);
    EXPECT_TRUE(html.contains(QStringLiteral("<div id=\"choice\">[[[]]]</div>")));
    // The markers of a choice appear only once the page's script puts them in.
    QString shown = html;
    shown.remove(QRegularExpression(QStringLiteral("<script>.*</script>"), QRegularExpression::DotMatchesEverythingOption));
    EXPECT_FALSE(shown.contains(QStringLiteral("{{{")));
    EXPECT_FALSE(shown.contains(QStringLiteral("}}}")));
    for (const emu::GalleryTemplate& t : emu::GalleryTemplates(host()))
        EXPECT_TRUE(html.contains(QStringLiteral("onclick=\"choose('%1')\"").arg(t.id))) << t.id.toStdString();
    // Other addresses of the host are not pages of the gallery.
    EXPECT_EQ(emulator().get(QStringLiteral("http://") + host() + QStringLiteral("/pwtd/mb01/mb002.aspx")).status, 404);
    EXPECT_EQ(emulator().get(QStringLiteral("http://") + host() + QStringLiteral("/pwtd/mb01/pic/mb9_banner.png")).status, 404);
}

TEST_F(TemplateGallery, TemplatesCarryEveryRowWithRealColoursAndServedPictures) {
    const QList<emu::GalleryTemplate> templates = emu::GalleryTemplates(host());
    ASSERT_GE(templates.size(), 2);
    static const QRegularExpression colour(QStringLiteral("^#[0-9A-F]{6}$"));
    for (const emu::GalleryTemplate& t : templates) {
        SCOPED_TRACE(t.id.toStdString());
        ASSERT_EQ(t.fields.size(), 333);
        EXPECT_EQ(emu::TemplateSelectionText(t).count(QStringLiteral("{/F}")), 333);
        EXPECT_TRUE(emu::TemplateSelectionText(t).endsWith(QStringLiteral("{/F}{//R}SiteInfo{///T}")));
        EXPECT_FALSE(emu::TemplateSelectionText(t).contains(QLatin1Char('<')));
        for (int row : BackColorRows) EXPECT_TRUE(colour.match(t.fields[row]).hasMatch()) << row;
        int pictures = 0;
        for (int cell = 0; cell < CellCount; ++cell) {
            const int R = GetCellBaseRow(static_cast<qint16>(cell));
            if (R == 0) continue;
            for (int offset : {CellBlock::CellBackground, CellBlock::CellForeground}) {
                const QString address = t.fields[R + offset];
                if (address.isEmpty()) continue;
                const testsupport::EmulatorPage p = emulator().get(address);
                ASSERT_EQ(p.status, 200) << address.toStdString();
                QImage img;
                ASSERT_TRUE(img.loadFromData(p.body)) << address.toStdString();
                if (offset == CellBlock::CellForeground) {
                    EXPECT_EQ(img.width(), t.fields[R + CellBlock::CellForeWidth].toInt());
                    EXPECT_EQ(img.height(), t.fields[R + CellBlock::CellForeHeight].toInt());
                } else if (cell != 27 && cell != 30) {
                    EXPECT_EQ(img.size(), QSize(GetCellWidth(static_cast<qint16>(cell)), GetCellHeight(static_cast<qint16>(cell))));
                }
                ++pictures;
            }
        }
        EXPECT_GE(pictures, 10);
        if (!t.fields[MusicUrlRow].isEmpty()) {
            const testsupport::EmulatorPage music = emulator().get(t.fields[MusicUrlRow]);
            EXPECT_EQ(music.status, 200);
            EXPECT_TRUE(music.body.startsWith("RIFF"));
        }
    }
    EXPECT_NE(templates[0].fields[HomeBackColorRow], templates[1].fields[HomeBackColorRow]);
}

}  // namespace
