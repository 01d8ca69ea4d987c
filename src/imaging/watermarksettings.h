#pragma once
// The member's watermark and border settings: one row of 20 fields of the table
// UploadWaterMarkAndBorder in the member's wab.dat (enciphered table text), beside the copies of
// the picture watermark (watermark.<ext>) and of the border picture (border.gif). The settings
// dialog writes it; the picture preparation reads it through the same code.
#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

inline constexpr char kWatermarkSettingsFile[] = "wab.dat";
inline constexpr char kWatermarkSettingsTable[] = "UploadWaterMarkAndBorder";
inline constexpr char kBorderCopyFile[] = "border.gif";
inline constexpr int kWatermarkSettingsFields = 20;

struct WatermarkSettings {
    QString text;              // the text watermark as typed; empty: none
    QString fontName;
    QString fontSize;          // points, as the size box shows them ("15")
    QString fontStyle;         // "常规", "斜体", "粗体" or "粗斜体"
    qint32 textColor = 0;      // colour numbers (ColorFromNumber)
    qint32 backColor = 0;
    bool transparentBack = false;
    bool textFrame = false;
    bool textFrame3D = false;
    bool underline = false;
    bool strikeout = false;
    // Placements: list positions 0 left/top, 1 centre/middle, 2 right/bottom; -1 none chosen.
    int textAlignH = -1;
    int textAlignV = -1;
    int pictureAlignH = -1;
    int pictureAlignV = -1;
    bool pictureFrame = false;
    bool pictureFrame3D = false;
    bool hasPicture = false;   // a picture watermark is set
    QString pictureExtension;  // its copy is "watermark." + this
    bool hasBorder = false;    // a border is set; its copy is border.gif

    bool operator==(const WatermarkSettings&) const = default;
};

// The row's 20 fields as decimal texts ("1"/"0" for flags).
QStringList WatermarkSettingsFields(const WatermarkSettings& s);
// The settings of a row; fields beyond a short row read empty (flags off, no placement). A colour
// beyond -2147483648..2147483647 throws the runtime's Overflow (VbError 6).
WatermarkSettings WatermarkSettingsFromFields(const QStringList& fields);
// The file's plain text: the fields each followed by "</F>", then "<//R>UploadWaterMarkAndBorder<///T>".
QString WatermarkSettingsText(const WatermarkSettings& s);

// The settings in folder/wab.dat; nothing when the file is missing, cannot be read, holds a colour
// that overflows or holds no such table (its first field reads "null", which a text watermark of
// exactly "null" does too).
std::optional<WatermarkSettings> ReadWatermarkSettings(const QString& folder);
// Writes folder/wab.dat safely (the old file stays whole on failure); throws VbError.
void WriteWatermarkSettings(const QString& folder, const WatermarkSettings& s);

// The extension a chosen picture watermark is kept under: the last 3 characters of its path
// ("a.jpeg" gives "peg"); "" for an empty path.
QString WatermarkExtension(const QString& path);
// "watermark." + the extension.
QString WatermarkCopyFile(const QString& extension);
// True when the text holds one of the table separators, which would split the row when read.
bool HoldsTableSeparator(const QString& text);

// Colour numbers: red + 256 × green + 65536 × blue; a negative number is a system colour
// (0x80000000 + its index), shown in the classic look's colour.
QColor ColorFromNumber(qint32 number);
qint32 ColorNumber(const QColor& color);
// The system colour of a label's designed background (button face), as its number.
inline constexpr qint32 kButtonFaceColor = qint32(0x8000000F);
