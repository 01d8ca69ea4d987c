#include "site/sitemodel.h"

#include "foundation/folders.h"
#include "platform/vberror.h"

namespace {

struct CellGeometry {
    qint16 width;
    qint16 height;
};

// Width and height of every page cell, by cell number.
constexpr CellGeometry kCells[CellCount] = {
    {156, 150}, {150, 150}, {696, 150}, {1002, 25}, {280, 210}, {350, 210}, {320, 210},
    {950, 50},  {130, 360}, {150, 360}, {340, 215}, {320, 215}, {650, 120}, {130, 70},
    {150, 70},  {670, 70},  {130, 690}, {150, 672}, {670, 672}, {130, 70},  {150, 70},
    {670, 70},  {260, 800}, {670, 800}, {950, 50},  {26, 690},  {26, 690},  {26, 940},
    {26, 690},  {26, 690},  {26, 940},  {1002, 26}, {950, 200},
};

bool isCell(qint16 cell) { return cell >= 0 && cell < CellCount; }

}  // namespace

qint16 GetCellBaseRow(qint16 cell) {
    if (cell >= 0 && cell <= 24) return static_cast<qint16>(1 + 10 * cell);
    switch (cell) {
    case 25:
    case 27: return 251;
    case 28:
    case 30: return 261;
    case 31: return 271;
    default: return 0;
    }
}

qint16 GetCellWidth(qint16 cell) { return isCell(cell) ? kCells[cell].width : 0; }

qint16 GetCellHeight(qint16 cell) { return isCell(cell) ? kCells[cell].height : 0; }

QString EncodeSiteValue(QString value) {
    value.replace(QLatin1Char('<'), QStringLiteral("&x_;"));
    value.replace(QLatin1Char('>'), QStringLiteral("&d_;"));
    return value;
}

QString DecodeSiteValue(QString value) {
    value.replace(QStringLiteral("&x_;"), QStringLiteral("<"));
    value.replace(QStringLiteral("&d_;"), QStringLiteral(">"));
    return value;
}

void LoadSiteSettings(const QStringList& siteInfoFields) {
    if (siteInfoFields.size() > SiteSettingsTable::Rows)
        throw VbError(VbError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    SiteSettings.create();
    for (int i = 0; i < siteInfoFields.size(); ++i) {
        const QString v = DecodeSiteValue(siteInfoFields[i]);
        SiteSettings(LocalColumn, i) = v;
        SiteSettings(PublishColumn, i) = v;
        SiteSettings(PublishedColumn, i) = v;
    }
}

bool SiteHasUnpublishedChanges() {
    for (int r = 0; r < SiteSettingsTable::Rows; ++r)
        if (SiteSettings(PublishColumn, r) != SiteSettings(PublishedColumn, r)) return true;
    return false;
}

QString MakeCellForeCode(bool flashTransparent, int vertical, int horizontal) {
    return QString::number(flashTransparent ? 0 : 1) + QString::number(vertical) + QString::number(horizontal);
}

CellBlockValues ReadCellBlock(qint16 cell, qint16 column) {
    const int base = GetCellBaseRow(cell);
    QStringList rows;
    for (int k = 0; k < CellBlock::Rows; ++k) rows.append(SiteSettings(column, base + k));
    return ReadCellBlock(rows);
}

CellBlockValues ReadCellBlock(const QStringList& rows) {
    return {rows.value(CellBlock::CellBackground), rows.value(CellBlock::CellForeground),
            rows.value(CellBlock::CellForeWidth),  rows.value(CellBlock::CellForeHeight),
            rows.value(CellBlock::CellForeCode),   rows.value(CellBlock::CellTextHtml),
            rows.value(CellBlock::CellTextStyle)};
}

QString ForeAlignAttributes(const QString& foreCode) {
    const QString pair = foreCode.right(2);
    if (pair.size() != 2) return QString();
    static const char* const kVertical[] = {"top", "middle", "bottom"};
    static const char* const kHorizontal[] = {"left", "center", "right"};
    const int v = pair[0].unicode() - '0';
    const int h = pair[1].unicode() - '0';
    if (v < 0 || v > 2 || h < 0 || h > 2) return QString();
    return QStringLiteral(" align=\"%1\" valign=\"%2\"")
        .arg(QLatin1String(kHorizontal[h]), QLatin1String(kVertical[v]));
}

bool ForeCodeTransparent(const QString& foreCode) {
    // Only a three-digit code carries the Flash digit; a two-digit one starts with the vertical
    // alignment, which says nothing about opacity.
    return !(foreCode.size() == 3 && foreCode.startsWith(QLatin1Char('1')));
}

bool IsFlashMovie(const QString& address) {
    return address.right(4).toLower() == QLatin1String(".swf");
}

QString FormatCellTextStyle(const QStringList& fields) {
    QString out;
    for (int i = 0; i < CellTextStyleField::Count; ++i) out += fields.value(i) + QLatin1Char(',');
    return out + QStringLiteral(",,,,,");
}

QString CellTextStacking(const QString& style) { return style.left(1); }

void RedimCellRecord(int upperBound) { CellRecord = QStringList(qMax(upperBound + 1, 0)); }

void LoadCellRecord(qint16 cell) {
    RedimCellRecord(CellRecordEntry::Last);
    CellRecord[CellRecordEntry::Cell] = QString::number(cell);
    CellRecord[CellRecordEntry::Width] = QString::number(GetCellWidth(cell));
    CellRecord[CellRecordEntry::Height] = QString::number(GetCellHeight(cell));
    const int base = GetCellBaseRow(cell);
    for (int k = 0; k < CellBlock::Rows; ++k)
        CellRecord[CellRecordEntry::FirstBlockRow + k] = SiteSettings(LocalColumn, base + k);
}

QString CellScratchPicturePath(bool foreground) {
    const QString cell = CellRecord.value(CellRecordEntry::Cell);
    const QString stem = (foreground ? QStringLiteral("grp") : QStringLiteral("grb")) + cell;
    const QString first = MemberTempPath(stem + QStringLiteral(".jpg"));
    const qint16 base = GetCellBaseRow(static_cast<qint16>(cell.toInt()));
    if (base <= 0) return first;
    const int row = base + (foreground ? CellBlock::CellForeground : CellBlock::CellBackground);
    if (SiteSettings.value(LocalColumn, row) != first) return first;
    return MemberTempPath(stem + QStringLiteral("_1.jpg"));
}
