#include <gtest/gtest.h>

#include <QFileInfo>

#include "foundation/cipher.h"
#include "foundation/tabletext.h"
#include "platform/vberror.h"
#include "state/loginstate.h"
#include "support/fixtures.h"

using testsupport::readFile;
using testsupport::writeFile;

namespace {
const QString kTwoTables = QStringLiteral("a</F>b</F><//R>c</F>d</F><//R>T1<///T>x</F><//R>T2<///T>");

QStringList cells(const Table& t) {
    QStringList out;
    for (int r = 0; r < t.rows(); ++r) out.append(t.row(r).join(QLatin1Char('|')));
    return out;
}
}  // namespace

TEST(TableText, TwoTablesInOneText) {
    EXPECT_EQ(cells(ParseTableText(QStringLiteral("T1"), kTwoTables)), (QStringList{"a|b", "c|d"}));
    EXPECT_EQ(cells(ParseTableText(QStringLiteral("T2"), kTwoTables)), (QStringList{"x"}));
    EXPECT_EQ(cells(ExtractTable(kTwoTables, QStringLiteral("T2"))), (QStringList{"x"}));
}

TEST(TableText, NullCases) {
    for (const QString& text : {QString(), QStringLiteral("a</F><//R>T1"), kTwoTables}) {
        const Table t = ParseTableText(QStringLiteral("T3"), text);
        EXPECT_TRUE(t.isNull());
        EXPECT_EQ(t.rows(), 1);
        EXPECT_EQ(t.cols(), 1);
    }
}

TEST(TableText, EmptyLongAndShortRows) {
    const Table t = ParseTableText(
        QStringLiteral("T"), QStringLiteral("</F></F><//R>1</F>2</F>3</F><//R>only</F><//R>T<///T>"));
    ASSERT_EQ(t.rows(), 3);
    ASSERT_EQ(t.cols(), 2);
    EXPECT_EQ(cells(t), (QStringList{"|", "1|2", "only|"}));  // long row cut, short row padded
    EXPECT_EQ(t.value(2, 7), QString());
}

TEST(TableText, MalformedInputNeverHangsOrCrashes) {
    for (const QString& text : {QStringLiteral("T<///T>"), QStringLiteral("<//R>T<///T>"), QStringLiteral("abc<///T>T<///T>"),
                                QStringLiteral("</F></F>T<///T>"), QStringLiteral("<///T><///T>T<///T>")}) {
        EXPECT_NO_THROW(ParseTableText(QStringLiteral("T"), text)) << text.toStdString();
    }
}

TEST(TableText, SerialisationIsExact) {
    Table t(1, 2);
    t(0, 0) = QStringLiteral("1");
    EXPECT_EQ(TableToText(t, QStringLiteral("X")), QStringLiteral("1</F></F><//R>X<///T>"));
}

TEST(TableText, SplittingProcedures) {
    EXPECT_EQ(SplitByDelimiter(QStringLiteral("a<//R>b<//R>tail"), QStringLiteral("<//R>")), (QStringList{"a", "b"}));
    EXPECT_TRUE(SplitByDelimiter(QStringLiteral("abc"), QStringLiteral("<//R>")).isEmpty());
    EXPECT_EQ(FindAllPositions(QStringLiteral("a</F>b</F>"), QStringLiteral("</F>")), (QList<int>{2, 7}));
    EXPECT_EQ(FindAllPositions(QStringLiteral("abc"), QStringLiteral("</F>")), (QList<int>{0}));
    EXPECT_EQ(UnescapeTableSeparators(QStringLiteral("a{/F}{//R}T{///T}")), QStringLiteral("a</F><//R>T<///T>"));
}

TEST(TableText, OverflowIsRaised) {
    QString text;
    text.reserve(32769 * 10);
    for (int i = 0; i < 32769; ++i) text += QStringLiteral("1</F><//R>");
    text += QStringLiteral("T<///T>");
    EXPECT_THROW(ParseTableText(QStringLiteral("T"), text), VbError);
}

TEST(TableText, RowsThatWouldPadBeyondTheTextReadAsNoTable) {
    // Row 0 of 32768 fields over 32767 rows with no field: padding would need 2^30 cells.
    QString text = QStringLiteral("</F>").repeated(32768) + QStringLiteral("<//R>").repeated(32768) + QStringLiteral("T<///T>");
    EXPECT_TRUE(ParseTableText(QStringLiteral("T"), text).isNull());
    // A wide table whose rows are all whole still reads, however many cells it has.
    text = (QStringLiteral("x</F>").repeated(1200) + QStringLiteral("<//R>")).repeated(1000) + QStringLiteral("T<///T>");
    const Table wide = ParseTableText(QStringLiteral("T"), text);
    EXPECT_EQ(wide.rows(), 1000);
    EXPECT_EQ(wide.cols(), 1200);
    EXPECT_EQ(wide.value(999, 1199), QStringLiteral("x"));
}

class TableFileTest : public testsupport::DataRootTest {};

TEST_F(TableFileTest, WriteThenReadAndExactBytes) {
    Table t(1, 2);
    t(0, 0) = QStringLiteral("1");
    const QString path = root() + QStringLiteral("/x.dat");
    writeFile(path + ".tmp", "a stored file, not a temporary");
    ASSERT_TRUE(WriteTableFile(t, path, QStringLiteral("X")));
    EXPECT_EQ(readFile(path + ".tmp"), QByteArray("a stored file, not a temporary"));
    EXPECT_EQ(testsupport::filesIn(root()), QStringList({QStringLiteral("x.dat"), QStringLiteral("x.dat.tmp")}));
    EXPECT_EQ(readFile(path), EncryptText(QStringLiteral("1</F></F><//R>X<///T>"), DataFileKey));
    EXPECT_EQ(ReadTableFile(path, QStringLiteral("X")), t);
}

TEST_F(TableFileTest, MissingAndEmptyFilesReadAsNull) {
    EXPECT_TRUE(ReadTableFile(root() + QStringLiteral("/none.dat"), QStringLiteral("X")).isNull());
    writeFile(root() + QStringLiteral("/empty.dat"), QByteArray());
    EXPECT_TRUE(ReadTableFile(root() + QStringLiteral("/empty.dat"), QStringLiteral("X")).isNull());
    EXPECT_THROW(ReadTableFileWithKey(root() + QStringLiteral("/none.dat"), QStringLiteral("X"), DataFileKey), VbError);
    EXPECT_THROW(ReadTableFileWithKey(root() + QStringLiteral("/empty.dat"), QStringLiteral("X"), DataFileKey), VbError);
}

TEST_F(TableFileTest, ReadWithKeyDecipheredOrPlain) {
    const QString text = QStringLiteral("a</F>1</F><//R>b</F>2</F><//R>W<///T>");
    writeFile(root() + QStringLiteral("/enc.dat"), EncryptText(text, DataFileKey));
    QByteArray plain(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    writeFile(root() + QStringLiteral("/plain.dat"), plain);
    EXPECT_EQ(cells(ReadTableFileWithKey(root() + "/enc.dat", QStringLiteral("W"), DataFileKey)), (QStringList{"a|1", "b|2"}));
    EXPECT_EQ(cells(ReadTableFileWithKey(root() + "/plain.dat", QStringLiteral("W"), QStringLiteral("  "))), (QStringList{"a|1", "b|2"}));
    EXPECT_EQ(cells(ReadTableFileWithKey(root() + "/enc.dat", QStringLiteral("W"), DataFileKey, QStringLiteral("b"))), (QStringList{"b|2"}));
}

TEST_F(TableFileTest, SelectTableRowsShapes) {
    Table t(10, 3);
    for (int r = 0; r < 10; ++r) {
        t(r, 0) = QString::number(r);
        t(r, 1) = (r % 3 == 0 && r > 0) ? QStringLiteral("m") : QStringLiteral("n");
        t(r, 2) = QStringLiteral("z");
    }
    const QString path = root() + QStringLiteral("/sel.dat");
    WriteTableFile(t, path, QStringLiteral("S"));
    const Table three = SelectTableRows(path, QStringLiteral("S"), 1, QStringLiteral("m"));
    EXPECT_EQ(cells(three), (QStringList{"3|m|", "6|m|", "9|m|", "||"}));
    for (const Table& none : {SelectTableRows(path, QStringLiteral("S"), 1, QStringLiteral("q")),
                              SelectTableRows(root() + "/none.dat", QStringLiteral("S"), 1, QStringLiteral("m"))}) {
        EXPECT_EQ(cells(none), (QStringList{"null|", "|"}));
    }
}

TEST_F(TableFileTest, WriteEncryptedTextReportsFailure) {
    EXPECT_TRUE(WriteEncryptedText(QStringLiteral("t"), root() + QStringLiteral("/ok.dat")));
    EXPECT_FALSE(WriteEncryptedText(QStringLiteral("t"), root() + QStringLiteral("/no/such/dir/u1.dat")));
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("遇到意外错误！请您退出软件后重新登录本软件再试。\r\r无法写入文件 u1.dat。"));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.records()[0].style, vbInformation);
}
