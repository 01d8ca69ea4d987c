#pragma once
// The site model: the rows of SiteSettings and their formats, the escaping of values in the
// service's copy, the geometry of the 33 page cells and the editors' CellRecord layout.
#include "site/site_api.h"  // LoadSiteSettings, which the login calls too
#include "state/sitestate.h"

#include <QString>
#include <QStringList>

// ---- the fixed page layout
inline constexpr int CellCount = 33;   // page cells 0 to 32
inline constexpr int FooterCell = 32;  // the footer owns no settings block
inline constexpr int MusicCell = 4;    // the music box takes the place of this cell's text layer

// First row of the cell's settings block: 1 + 10 x cell for cells 0 to 24, 251 for 25 and 27,
// 261 for 28 and 30, 271 for 31; 0 for 26, 29, 32 and any other number.
qint16 GetCellBaseRow(qint16 cell);
// Width and height of the cell in pixels; 0 for a number outside 0 to 32.
qint16 GetCellWidth(qint16 cell);
qint16 GetCellHeight(qint16 cell);

// ---- the ten rows R to R+9 of a cell's settings block (offsets from the base row)
namespace CellBlock {
inline constexpr int Rows = 10;
inline constexpr int CellBackground = 0;  // background picture address (URL, or a local path after an upload)
inline constexpr int CellForeground = 1;  // foreground picture or Flash movie (".swf" in any case)
inline constexpr int CellForeWidth = 2;   // foreground width in pixels, copied into the page unchanged
inline constexpr int CellForeHeight = 3;  // foreground height in pixels
inline constexpr int CellForeCode = 4;    // [F]VH: Flash opacity, vertical and horizontal alignment
inline constexpr int CellTextHtml = 5;    // ready HTML of the text layer
inline constexpr int CellText = 6;        // the member's raw text ("&lt;", "&gt;", "<br>"); editors only
inline constexpr int CellTextStyle = 7;   // 13 comma fields and ",,,,,,"; pages read its first character
inline constexpr int Carried8 = 8;        // from the service, published unchanged, read by nobody
inline constexpr int Carried9 = 9;
}  // namespace CellBlock

// What the page builders read of a cell's block.
struct CellBlockValues {
    QString background, foreground, foreWidth, foreHeight, foreCode, textHtml, textStyle;
};
// Of cell's block in the column of SiteSettings, or of the block's rows as a list holds them from
// its row R on (rows past the list's end read empty).
CellBlockValues ReadCellBlock(qint16 cell, qint16 column);
CellBlockValues ReadCellBlock(const QStringList& rows);

// ---- fixed rows outside every block
inline constexpr int HomeBackColorRow = 301;    // whole page ("#RRGGBB"; the "#" may be missing)
inline constexpr int MiddleBackColorRow = 303;  // blank parts of the home area's middle column
inline constexpr int AlbumBackColorRow = 304;   // frame around the album widgets
inline constexpr int BlogBackColorRow = 306;    // frame around the blog widgets
inline constexpr int BackColorRows[] = {HomeBackColorRow, MiddleBackColorRow, AlbumBackColorRow,
                                        BlogBackColorRow};
inline constexpr int HomeAlbumRow = 305;        // album of the home album widget (cell 18)
// The background music and lyrics.
inline constexpr int MusicUrlRow = 311;          // address of the music file
inline constexpr int MusicOffRow = 312;          // "1" no music, "0" music on
inline constexpr int MusicPlayerShownRow = 313;  // "1" player shown, "0" hidden (background sound)
inline constexpr int MusicLyricsShownRow = 314;  // "1" lyrics shown
inline constexpr int MusicBoxStyleRow = 315;     // nine comma fields, then ",,,,,,"
inline constexpr int MusicLyricsRow = 316;       // lyrics as HTML
inline constexpr int MusicSettingRows[] = {MusicUrlRow,         MusicOffRow,      MusicPlayerShownRow,
                                           MusicLyricsShownRow, MusicBoxStyleRow, MusicLyricsRow};
inline constexpr int MusicCarriedFirstRow = 317;  // 317 to 320 only travel with the music rows
inline constexpr int MusicCarriedLastRow = 320;
inline constexpr int PublishStateRow = 331;  // "2" once the site has been published

// ---- escaping in the service's copy of the settings
// "<" as "&x_;" and then ">" as "&d_;".
QString EncodeSiteValue(QString value);
// "&x_;" back to "<" and then "&d_;" to ">".
QString DecodeSiteValue(QString value);

// The change test of the publish step: some row differs between PublishColumn and PublishedColumn.
bool SiteHasUnpublishedChanges();

// ---- CellForeCode: [F]VH
// V "0" top, "1" middle, "2" bottom; H "0" left, "1" centre, "2" right. F (three-digit codes only)
// "1" draws a Flash movie opaque, any other digit transparent.
inline const QString NewPictureForeCode = QStringLiteral("11");
inline const QString NewFlashForeCode = QStringLiteral("011");
// The three-digit code the cell editor writes.
QString MakeCellForeCode(bool flashTransparent, int vertical, int horizontal);
// The alignment attributes chosen by the last two characters of the code, with their leading
// space (" align=\"center\" valign=\"middle\""); empty when they are none of the nine pairs.
QString ForeAlignAttributes(const QString& foreCode);
// A Flash foreground is transparent unless the code has three digits and the first is "1".
bool ForeCodeTransparent(const QString& foreCode);
// The address names a Flash movie: its last four characters, lower-cased, are ".swf".
bool IsFlashMovie(const QString& address);

// ---- CellTextStyle
namespace CellTextStyleField {
inline constexpr int Stacking = 0;     // "1" text layer below the foreground, "2" above
inline constexpr int Alignment = 1;    // two digits, H then V
inline constexpr int Margins = 2;      // "top/bottom/left/right/"
inline constexpr int FontSize = 3;
inline constexpr int FontName = 4;
inline constexpr int FontColor = 5;    // "#RRGGBB"
inline constexpr int BackColor = 6;    // "#RRGGBB" or empty
inline constexpr int FontStyle = 7;    // 0 regular, 1 italic, 2 bold, 3 bold italic
inline constexpr int Underline = 8;
inline constexpr int StrikeThrough = 9;
inline constexpr int ArtText = 10;
inline constexpr int Scrolling = 11;
inline constexpr int ScrollSpeed = 12;
inline constexpr int Count = 13;
}  // namespace CellTextStyleField
// The row as written: the 13 fields each followed by ",", then five more commas (missing fields
// are written empty, extra ones ignored).
QString FormatCellTextStyle(const QStringList& fields);
// The stacking of the text layer: the style's first character (empty for an empty style).
QString CellTextStacking(const QString& style);

// ---- CellRecord of the cell and preface editors: 0 cell, 1 width, 2 height, 3 to 12 the
// LocalColumn rows R to R+9, 13 empty.
namespace CellRecordEntry {
inline constexpr int Cell = 0;
inline constexpr int Width = 1;
inline constexpr int Height = 2;
inline constexpr int FirstBlockRow = 3;  // entry of block row R; row R+k is entry 3 + k
inline constexpr int Last = 13;
}  // namespace CellRecordEntry
// Erases CellRecord and sizes it to entries 0 to upperBound, all empty.
void RedimCellRecord(int upperBound);
// Erases CellRecord and fills it for the cell editor of the given cell (the opener maps 27 and
// 30 to 25 and 28 before).
void LoadCellRecord(qint16 cell);

// Where a crop or a written text of the edited cell (CellRecord 0) goes: "temp/grb<cell>.jpg" for
// the background, "temp/grp<cell>.jpg" for the foreground, in the member's folder. While the
// cell's applied row (the LocalColumn, which its page shows) names that file, the other name
// "temp/grb<cell>_1.jpg" (or "grp"): an unapplied picture never replaces the applied one, and
// the two names take turns from apply to apply.
QString CellScratchPicturePath(bool foreground);
