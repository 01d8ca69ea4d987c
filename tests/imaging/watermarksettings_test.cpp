// The wab.dat row: what the settings dialog writes is what both readers get back.
#include <gtest/gtest.h>

#include "foundation/cipher.h"
#include "foundation/tabletext.h"
#include "imaging/watermarksettings.h"
#include "state/loginstate.h"
#include "support/fixtures.h"

#include <QDir>

using namespace testsupport;

namespace {

// Every field away from its default, so a field that is dropped or moved shows.
WatermarkSettings FixedSettings() {
    WatermarkSettings s;
    s.text = QStringLiteral("www.小站.example.test");
    s.fontName = QStringLiteral("宋体");
    s.fontSize = QStringLiteral("26");
    s.fontStyle = QStringLiteral("粗斜体");
    s.textColor = 0x0080FF;             // orange: red 255, green 128
    s.backColor = kButtonFaceColor;     // a system colour: negative
    s.transparentBack = false;
    s.textFrame = true;
    s.textFrame3D = true;
    s.underline = true;
    s.strikeout = false;
    s.textAlignH = 1;
    s.textAlignV = 0;
    s.pictureAlignH = 2;
    s.pictureAlignV = -1;
    s.pictureFrame = true;
    s.pictureFrame3D = false;
    s.hasPicture = true;
    s.pictureExtension = QStringLiteral("peg");
    s.hasBorder = true;
    return s;
}

class WatermarkSettingsFile : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("alice"));
    }
    QString file() const { return QDir(UserFolder).filePath(QStringLiteral("wab.dat")); }
};

TEST_F(WatermarkSettingsFile, SavedSettingsReadBackWholeAsOneRowOfTwentyFields) {
    const WatermarkSettings s = FixedSettings();
    WriteWatermarkSettings(UserFolder, s);
    const auto back = ReadWatermarkSettings(UserFolder);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);

    const Table t = ReadTableFileWithKey(file(), QStringLiteral("UploadWaterMarkAndBorder"), DataFileKey);
    EXPECT_EQ(t.rows(), 1);
    EXPECT_EQ(t.cols(), 20);
    // The plain text as the file holds it, deciphered, pinned byte for byte.
    const QString plain = DecryptBytes(readFile(file()), DataFileKey);
    EXPECT_TRUE(sameBytes(readFile(testDataPath(QStringLiteral("imaging/golden/wab_fixed.txt"))), plain.toUtf8()));
    EXPECT_EQ(WatermarkSettingsText(s), plain);
}

TEST_F(WatermarkSettingsFile, NothingToReadGivesNoSettings) {
    const struct {
        const char* name;
        QByteArray bytes;  // the file's bytes; empty: no file
    } cases[] = {
        {"no file", QByteArray()},
        {"empty file", QByteArray("")},
        {"another table", EncryptText(QStringLiteral("a</F><//R>GCS<///T>"), DataFileKey)},
        {"bytes of no cipher", QByteArray("\x01\x02\x03", 3)},
        {"a text of exactly null", EncryptText(QStringLiteral("null</F>宋体</F><//R>UploadWaterMarkAndBorder<///T>"), DataFileKey)},
        // A colour beyond the runtime's Long overflows, as it did there: the file does not read.
        {"a colour of 1.6e35",
         EncryptText(QStringLiteral("水印</F>宋体</F>12</F>常规</F>1.6e35</F>0</F><//R>UploadWaterMarkAndBorder<///T>"), DataFileKey)},
        {"a back colour of 2147483648",
         EncryptText(QStringLiteral("水印</F>宋体</F>12</F>常规</F>0</F>2147483648</F><//R>UploadWaterMarkAndBorder<///T>"), DataFileKey)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(file());
        if (!c.bytes.isNull()) writeFile(file(), c.bytes);
        EXPECT_FALSE(ReadWatermarkSettings(UserFolder).has_value());
    }
}

TEST_F(WatermarkSettingsFile, AShortRowReadsItsMissingFieldsEmpty) {
    writeFile(file(), EncryptText(QStringLiteral("水印</F>黑体</F>12</F><//R>UploadWaterMarkAndBorder<///T>"), DataFileKey));
    const auto s = ReadWatermarkSettings(UserFolder);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->text, QStringLiteral("水印"));
    EXPECT_EQ(s->fontName, QStringLiteral("黑体"));
    EXPECT_EQ(s->fontSize, QStringLiteral("12"));
    EXPECT_EQ(s->fontStyle, QString());
    EXPECT_EQ(s->textAlignH, -1);
    EXPECT_FALSE(s->hasPicture);
    EXPECT_EQ(s->pictureExtension, QString());
    EXPECT_FALSE(s->hasBorder);
}

// The readers' rules for hand-made or foreign rows: transparency needs 1 itself, the other flags any
// number but 0, placements exactly "0", "1" or "2", the two set flags exactly "1".
TEST(WatermarkSettingsFields, ReadFlagsAndCodesAsTheReadersDo) {
    QStringList f(20);
    f[6] = QStringLiteral("2");
    f[7] = QStringLiteral("-1");
    f[9] = QStringLiteral("0");
    f[11] = QStringLiteral("02");
    f[12] = QStringLiteral("2");
    f[17] = QStringLiteral("True");
    f[19] = QStringLiteral("1");
    f[4] = QStringLiteral("-2147483633");
    const WatermarkSettings s = WatermarkSettingsFromFields(f);
    EXPECT_FALSE(s.transparentBack);
    EXPECT_TRUE(s.textFrame);
    EXPECT_FALSE(s.underline);
    EXPECT_EQ(s.textAlignH, -1);
    EXPECT_EQ(s.textAlignV, 2);
    EXPECT_FALSE(s.hasPicture);
    EXPECT_TRUE(s.hasBorder);
    EXPECT_EQ(s.textColor, kButtonFaceColor);
    // Colours in the exponent form the runtime's Val reads.
    f[4] = QStringLiteral("1.6711680E7");
    f[5] = QStringLiteral("&HFF");
    EXPECT_EQ(WatermarkSettingsFromFields(f).textColor, 0xFF0000);
    EXPECT_EQ(WatermarkSettingsFromFields(f).backColor, 0xFF);
}

TEST(WatermarkSettingsFields, ColourNumbersAndCopyNames) {
    EXPECT_EQ(ColorNumber(QColor(255, 128, 0)), 0x0080FF);
    EXPECT_EQ(ColorFromNumber(0x0080FF), QColor(255, 128, 0));
    EXPECT_EQ(ColorFromNumber(16777215), QColor(Qt::white));
    EXPECT_TRUE(ColorFromNumber(kButtonFaceColor).isValid());
    EXPECT_EQ(WatermarkExtension(QStringLiteral("/home/a/logo.jpeg")), QStringLiteral("peg"));
    EXPECT_EQ(WatermarkExtension(QStringLiteral("/home/a/logo.gif")), QStringLiteral("gif"));
    EXPECT_EQ(WatermarkExtension(QString()), QString());
    EXPECT_EQ(WatermarkCopyFile(QStringLiteral("peg")), QStringLiteral("watermark.peg"));
    for (const char* t : {"a</F>b", "<//R>", "x<///T>"}) EXPECT_TRUE(HoldsTableSeparator(QString::fromLatin1(t))) << t;
    for (const char* t : {"</f>", "<F>", "{/F}", "www.a.test"}) EXPECT_FALSE(HoldsTableSeparator(QString::fromLatin1(t))) << t;
}

}  // namespace
