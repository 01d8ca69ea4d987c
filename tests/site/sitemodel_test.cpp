// The settings table, its escaping, the cell geometry and the editors' record.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "platform/vberror.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "support/sitefixture.h"

using testsupport::readFile;

namespace {
class SiteModel : public testsupport::SiteTest {};
}  // namespace

TEST(CellGeometry, EveryCellAndTheNumbersAround) {
    struct Row {
        qint16 cell, width, height, base;
    };
    const Row table[] = {
        {0, 156, 150, 1},     {1, 150, 150, 11},    {2, 696, 150, 21},    {3, 1002, 25, 31},
        {4, 280, 210, 41},    {5, 350, 210, 51},    {6, 320, 210, 61},    {7, 950, 50, 71},
        {8, 130, 360, 81},    {9, 150, 360, 91},    {10, 340, 215, 101},  {11, 320, 215, 111},
        {12, 650, 120, 121},  {13, 130, 70, 131},   {14, 150, 70, 141},   {15, 670, 70, 151},
        {16, 130, 690, 161},  {17, 150, 672, 171},  {18, 670, 672, 181},  {19, 130, 70, 191},
        {20, 150, 70, 201},   {21, 670, 70, 211},   {22, 260, 800, 221},  {23, 670, 800, 231},
        {24, 950, 50, 241},   {25, 26, 690, 251},   {26, 26, 690, 0},     {27, 26, 940, 251},
        {28, 26, 690, 261},   {29, 26, 690, 0},     {30, 26, 940, 261},   {31, 1002, 26, 271},
        {32, 950, 200, 0},    {-1, 0, 0, 0},        {33, 0, 0, 0},        {32767, 0, 0, 0},
    };
    for (const Row& r : table) {
        EXPECT_EQ(GetCellWidth(r.cell), r.width) << r.cell;
        EXPECT_EQ(GetCellHeight(r.cell), r.height) << r.cell;
        EXPECT_EQ(GetCellBaseRow(r.cell), r.base) << r.cell;
    }
}

TEST(SiteValues, ServiceEscaping) {
    EXPECT_EQ(DecodeSiteValue(QStringLiteral("&x_;b&d_;粗&x_;/b&d_;")), QStringLiteral("<b>粗</b>"));
    EXPECT_EQ(EncodeSiteValue(QStringLiteral("<a href=\"x\">链接</a>")),
              QStringLiteral("&x_;a href=\"x\"&d_;链接&x_;/a&d_;"));
    // Decoding "<" first: "&x_;d_;" becomes "<d_;", never ">".
    EXPECT_EQ(DecodeSiteValue(QStringLiteral("&&x_;d_;")), QStringLiteral("&<d_;"));
    EXPECT_EQ(DecodeSiteValue(EncodeSiteValue(QStringLiteral("a<>b"))), QStringLiteral("a<>b"));
}

TEST(SiteValues, ForeCodeAndStyleFormats) {
    const struct {
        const char* code;
        const char* attributes;
    } codes[] = {
        {"00", " align=\"left\" valign=\"top\""},      {"01", " align=\"center\" valign=\"top\""},
        {"02", " align=\"right\" valign=\"top\""},     {"10", " align=\"left\" valign=\"middle\""},
        {"11", " align=\"center\" valign=\"middle\""}, {"12", " align=\"right\" valign=\"middle\""},
        {"20", " align=\"left\" valign=\"bottom\""},   {"21", " align=\"center\" valign=\"bottom\""},
        {"22", " align=\"right\" valign=\"bottom\""},  {"102", " align=\"right\" valign=\"top\""},
        {"2", ""}, {"", ""}, {"13", ""}, {"31", ""}, {"1a", ""}, {"111", " align=\"center\" valign=\"middle\""},
    };
    for (const auto& c : codes)
        EXPECT_EQ(ForeAlignAttributes(QString::fromLatin1(c.code)), QString::fromLatin1(c.attributes)) << c.code;

    EXPECT_FALSE(ForeCodeTransparent(QStringLiteral("111")));
    EXPECT_TRUE(ForeCodeTransparent(QStringLiteral("011")));
    EXPECT_TRUE(ForeCodeTransparent(QStringLiteral("211")));
    EXPECT_TRUE(ForeCodeTransparent(QStringLiteral("11")));  // two digits: no Flash digit
    EXPECT_TRUE(ForeCodeTransparent(QStringLiteral("12")));
    EXPECT_TRUE(ForeCodeTransparent(QString()));
    EXPECT_EQ(MakeCellForeCode(true, 2, 0), QStringLiteral("020"));
    EXPECT_EQ(MakeCellForeCode(false, 1, 1), QStringLiteral("111"));

    EXPECT_TRUE(IsFlashMovie(QStringLiteral("http://x/A.SWF")));
    EXPECT_TRUE(IsFlashMovie(QStringLiteral("/home/u/m.Swf")));
    EXPECT_FALSE(IsFlashMovie(QStringLiteral("http://x/swf.jpg")));
    EXPECT_FALSE(IsFlashMovie(QStringLiteral("swf")));

    EXPECT_EQ(FormatCellTextStyle({"2", "02", "5/5/10/10/", "16", "黑体", "#FF0000", "", "2", "1", "0", "0", "1", "3"}),
              QStringLiteral("2,02,5/5/10/10/,16,黑体,#FF0000,,2,1,0,0,1,3,,,,,,"));
    EXPECT_EQ(FormatCellTextStyle({}), QStringLiteral(",,,,,,,,,,,,,,,,,,"));
    EXPECT_EQ(CellTextStacking(QStringLiteral("1,11,")), QStringLiteral("1"));
    EXPECT_EQ(CellTextStacking(QString()), QString());
}

TEST_F(SiteModel, LoadingFromTheLoginReply) {
    SiteSettings(TemplateColumn, 5) = QStringLiteral("stale");
    QStringList fields;
    for (int i = 0; i < 302; ++i) fields << QString();
    fields[0] = QStringLiteral("carried");
    fields[46] = QStringLiteral("&x_;p&d_;文字&x_;/p&d_;");
    fields[301] = QStringLiteral("#FFFFFF");
    LoadSiteSettings(fields);
    for (int c : {LocalColumn, PublishColumn, PublishedColumn}) {
        EXPECT_EQ(SiteSettings(c, 0), QStringLiteral("carried"));
        EXPECT_EQ(SiteSettings(c, 46), QStringLiteral("<p>文字</p>"));
        EXPECT_EQ(SiteSettings(c, 301), QStringLiteral("#FFFFFF"));
        EXPECT_EQ(SiteSettings(c, 332), QString());  // a shorter row leaves the rest empty
    }
    EXPECT_EQ(SiteSettings(TemplateColumn, 5), QString());
    EXPECT_FALSE(SiteHasUnpublishedChanges());
    SiteSettings(LocalColumn, 7) = QStringLiteral("local edit");
    EXPECT_FALSE(SiteHasUnpublishedChanges());
    SiteSettings(PublishColumn, 332) = QStringLiteral("x");
    EXPECT_TRUE(SiteHasUnpublishedChanges());

    // 333 fields fit; 334 do not, and the table stays as it was.
    fields = QStringList(333, QStringLiteral("v"));
    LoadSiteSettings(fields);
    EXPECT_EQ(SiteSettings(PublishedColumn, 332), QStringLiteral("v"));
    fields << QStringLiteral("w");
    EXPECT_THROW(LoadSiteSettings(fields), VbError);
    EXPECT_EQ(SiteSettings(LocalColumn, 0), QStringLiteral("v"));
}

TEST_F(SiteModel, TableBounds) {
    EXPECT_THROW(SiteSettings(4, 0), VbError);
    EXPECT_THROW(SiteSettings(0, 333), VbError);
    EXPECT_THROW(SiteSettings(-1, 0), VbError);
    EXPECT_EQ(SiteSettings.value(0, 333), QString());
    SiteSettings(1, 7) = QStringLiteral("a");
    SiteSettings.copyColumn(PublishColumn, PublishedColumn);
    EXPECT_EQ(SiteSettings(PublishedColumn, 7), QStringLiteral("a"));
    EXPECT_EQ(SiteSettings.column(PublishColumn).size(), 333);
    ResetSiteState();
    EXPECT_FALSE(SiteSettings.created());
    EXPECT_THROW(SiteSettings(0, 0), VbError);
}

TEST_F(SiteModel, CellRecordOfTheCellEditor) {
    for (int k = 0; k < 10; ++k) {
        SiteSettings(LocalColumn, 101 + k) = QStringLiteral("row%1").arg(101 + k);
        SiteSettings(PublishColumn, 101 + k) = QStringLiteral("published");
    }
    CellRecord = QStringList{"old"};
    LoadCellRecord(10);
    ASSERT_EQ(CellRecord.size(), 14);
    EXPECT_EQ(CellRecord.mid(0, 3), (QStringList{"10", "340", "215"}));
    for (int k = 0; k < 10; ++k) EXPECT_EQ(CellRecord[3 + k], QStringLiteral("row%1").arg(101 + k));
    EXPECT_EQ(CellRecord[13], QString());
    RedimCellRecord(4);
    EXPECT_EQ(CellRecord, QStringList(5));
}

TEST_F(SiteModel, PagesAreGbkWithCarriageReturnsAlone) {
    // Chinese text in GBK; a character GBK lacks becomes "?". No LF, none after the last line.
    WritePageFile(QStringLiteral("t.html"), JoinPageLines({QStringLiteral("中文"), QStringLiteral("한a"), QString()}));
    EXPECT_EQ(readFile(SitePagePath(QStringLiteral("t.html"))), QByteArray("\xD6\xD0\xCE\xC4\r?a\r"));
    EXPECT_EQ(SitePagePath(QStringLiteral("t.html")), UserFolder + QStringLiteral("/temp/t.html"));
    // A whole replacement: the old, longer page leaves nothing behind.
    WritePageFile(QStringLiteral("t.html"), QStringLiteral("x"));
    EXPECT_EQ(readFile(SitePagePath(QStringLiteral("t.html"))), QByteArray("x"));
    QDir(UserFolder + QStringLiteral("/temp")).removeRecursively();
    EXPECT_THROW(WritePageFile(QStringLiteral("t.html"), QStringLiteral("x")), VbError);
}
