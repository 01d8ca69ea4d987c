#include "imaging/watermarksettings.h"

#include "foundation/tabletext.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QDir>

namespace {

QString Flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// A placement code as the readers compare it: exactly "0", "1" or "2".
int Placement(const QString& field) {
    if (field == QLatin1String("0")) return 0;
    if (field == QLatin1String("1")) return 1;
    if (field == QLatin1String("2")) return 2;
    return -1;
}

bool NonZero(const QString& field) { return vb::Val(field) != 0; }

Table SettingsRow(const WatermarkSettings& s) {
    Table row(1, kWatermarkSettingsFields);
    const QStringList fields = WatermarkSettingsFields(s);
    for (int i = 0; i < kWatermarkSettingsFields; ++i) row(0, i) = fields[i];
    return row;
}

QString SettingsPath(const QString& folder) {
    return QDir(folder).filePath(QString::fromLatin1(kWatermarkSettingsFile));
}

}  // namespace

QStringList WatermarkSettingsFields(const WatermarkSettings& s) {
    return {s.text,
            s.fontName,
            s.fontSize,
            s.fontStyle,
            QString::number(s.textColor),
            QString::number(s.backColor),
            Flag(s.transparentBack),
            Flag(s.textFrame),
            Flag(s.textFrame3D),
            Flag(s.underline),
            Flag(s.strikeout),
            QString::number(s.textAlignH),
            QString::number(s.textAlignV),
            QString::number(s.pictureAlignH),
            QString::number(s.pictureAlignV),
            Flag(s.pictureFrame),
            Flag(s.pictureFrame3D),
            Flag(s.hasPicture),
            s.pictureExtension,
            Flag(s.hasBorder)};
}

WatermarkSettings WatermarkSettingsFromFields(const QStringList& fields) {
    const auto f = [&](int n) { return fields.value(n); };
    WatermarkSettings s;
    s.text = f(0);
    s.fontName = f(1);
    s.fontSize = f(2);
    s.fontStyle = f(3);
    // A colour beyond the runtime's Long is its Overflow error, as assigning it to a colour was.
    s.textColor = vb::CLng(vb::Val(f(4)));
    s.backColor = vb::CLng(vb::Val(f(5)));
    // Transparent only for 1 itself; the other flags are on for any number but 0.
    s.transparentBack = vb::Val(f(6)) == 1;
    s.textFrame = NonZero(f(7));
    s.textFrame3D = NonZero(f(8));
    s.underline = NonZero(f(9));
    s.strikeout = NonZero(f(10));
    s.textAlignH = Placement(f(11));
    s.textAlignV = Placement(f(12));
    s.pictureAlignH = Placement(f(13));
    s.pictureAlignV = Placement(f(14));
    s.pictureFrame = NonZero(f(15));
    s.pictureFrame3D = NonZero(f(16));
    s.hasPicture = f(17) == QLatin1String("1");
    s.pictureExtension = f(18);
    s.hasBorder = f(19) == QLatin1String("1");
    return s;
}

QString WatermarkSettingsText(const WatermarkSettings& s) {
    return TableToText(SettingsRow(s), QString::fromLatin1(kWatermarkSettingsTable));
}

std::optional<WatermarkSettings> ReadWatermarkSettings(const QString& folder) {
    Table t;
    try {
        t = ReadTableFileWithKey(SettingsPath(folder), QString::fromLatin1(kWatermarkSettingsTable), DataFileKey);
    } catch (const VbError&) {
        return std::nullopt;
    }
    if (t.isEmpty() || t.value(0, 0) == QLatin1String("null")) return std::nullopt;
    // A colour that overflows makes the file as unreadable as a damaged one.
    try {
        return WatermarkSettingsFromFields(t.row(0));
    } catch (const VbError&) {
        return std::nullopt;
    }
}

void WriteWatermarkSettings(const QString& folder, const WatermarkSettings& s) {
    WriteTableFile(SettingsRow(s), SettingsPath(folder), QString::fromLatin1(kWatermarkSettingsTable));
}

QString WatermarkExtension(const QString& path) { return vb::Right(path, 3); }

QString WatermarkCopyFile(const QString& extension) { return QStringLiteral("watermark.") + extension; }

bool HoldsTableSeparator(const QString& text) {
    return text.contains(QLatin1String(kFieldSep)) || text.contains(QLatin1String(kRowSep)) ||
           text.contains(QLatin1String(kTableSep));
}

QColor ColorFromNumber(qint32 number) {
    if (number >= 0) return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
    // System colours in the classic look: the few a label or a picture box is designed with.
    switch (number & 0xFF) {
    case 5: return QColor(255, 255, 255);   // window
    case 8: return QColor(0, 0, 0);         // window text
    case 18: return QColor(0, 0, 0);        // button text
    default: return QColor(240, 240, 240);  // button face and the rest
    }
}

qint32 ColorNumber(const QColor& color) {
    return color.red() + 256 * color.green() + 65536 * color.blue();
}
