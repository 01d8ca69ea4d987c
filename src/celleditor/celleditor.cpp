#include "celleditor/celleditor.h"

#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"

using namespace CellCanvas;

CanvasLayout LayOutCanvas(int widthPx, int heightPx) {
    CanvasLayout c;
    const int w = widthPx * kTwipsPerPixel;
    const int h = heightPx * kTwipsPerPixel;
    int top = kViewTop;
    if (w > kHScrollWidth) {
        c.frameWidth = w;
        c.hscEnabled = true;
        c.hscMax = w - kHScrollWidth;
    }
    if (top + h + 400 > kVScrollHeight) {
        c.frameHeight = top + h + 400;
        c.vscEnabled = true;
        c.vscMax = c.frameHeight - kVScrollHeight;
    } else {
        // Centred in the part of the viewport below the settings area.
        top = (kVScrollHeight - kInfoHeight - h) / 2 + kInfoHeight;
    }
    c.view = QRect((c.frameWidth - w) / 2, top, w, h);
    return c;
}

GuideLines EdgeGuideLines(const QRect& view) {
    return {view.top(), view.top() + view.height(), view.left(), view.left() + view.width()};
}

std::optional<int> MarginValue(const QString& text) {
    // The margin is a 16-bit whole number; a value outside it is no usable margin either.
    if (const std::optional<qint16> m = vb::CInt(vb::Trim(text))) return *m;
    return std::nullopt;
}

void PlaceGuideLine(GuideLines& lines, const QRect& view, int side, int marginPx) {
    const int m = marginPx * kTwipsPerPixel;
    switch (side) {
    case 0: lines.top = view.top() + m; break;
    case 1: lines.bottom = view.top() + view.height() - m; break;
    case 2: lines.left = view.left() + m; break;
    default: lines.right = view.left() + view.width() - m; break;
    }
}

QString CellSizeLabel(const QString& cell, const QString& width, const QString& height) {
    QString area = cell;
    if (cell == QLatin1String("28")) area = QStringLiteral("26");
    else if (cell == QLatin1String("31")) area = QStringLiteral("27");
    return area + QStringLiteral("区 [区域大小：") + width + QStringLiteral("×") + height + QStringLiteral("(像素)]");
}

namespace {

// A stored alignment digit as a list item: "0" item 1, "1" item 0, "2" item 2; -1 leaves the list.
int AlignmentItem(QChar digit) {
    if (digit == u'0') return 1;
    if (digit == u'1') return 0;
    if (digit == u'2') return 2;
    return -1;
}

QString AlignmentDigit(int item) {
    if (item == 1) return QStringLiteral("0");
    if (item == 2) return QStringLiteral("2");
    return QStringLiteral("1");
}

// A stored list code as an item of a list of `count` items, or -1 (the list stays as it was).
int ListItem(const QString& code, int count) {
    bool ok = false;
    const int item = code.trimmed().toInt(&ok);
    return ok && item >= 0 && item < count ? item : -1;
}

void Select(int& list, int item) {
    if (item >= 0) list = item;
}

QColor ColorOf(qint32 value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

}  // namespace

ForegroundFields ReadForegroundFields(const QStringList& record) {
    ForegroundFields f;
    const QString foreground = record.value(4);
    if (foreground.isEmpty()) {
        f.width = record.value(1);
        f.height = record.value(2);
        f.vertical = 0;
        f.horizontal = 0;
        return f;
    }
    f.width = record.value(5);
    f.height = record.value(6);
    const QString code = record.value(7);
    const QString lastTwo = code.right(2);
    if (!lastTwo.isEmpty()) {
        f.vertical = AlignmentItem(lastTwo.front());
        f.horizontal = AlignmentItem(lastTwo.back());
    }
    if (IsFlashMovie(foreground)) {
        f.flashShown = true;
        // Only a three-digit code carries the Flash digit; otherwise the design tick stays.
        if (code.size() >= 3) {
            f.flashSet = true;
            f.flashTicked = code.front() == u'0';
        }
    }
    return f;
}

CellPanels PanelsForCell(const QString& cell, bool musicOccupiesText) {
    CellPanels p;
    const auto note = [&p](const QString& what) {
        p.backgroundInfo = true;
        p.backgroundNote = QStringLiteral("注：当前区域的背景部分是“") + what +
                           QStringLiteral("”，因此您不能设置本区域的背景图。");
    };
    if (cell == QLatin1String("1") || cell == QLatin1String("5") || cell == QLatin1String("9")) {
        p.backgroundInfo = true;
        p.uploadButton = cell == QLatin1String("1") ? 0 : cell == QLatin1String("5") ? 1 : 2;
    } else if (cell == QLatin1String("4")) {
        p.textInfo = musicOccupiesText;
    } else if (cell == QLatin1String("12")) {
        p.foreground12 = true;
    } else if (cell == QLatin1String("6")) {
        note(QStringLiteral("留言簿"));
    } else if (cell == QLatin1String("11")) {
        note(QStringLiteral("微博"));
    } else if (cell == QLatin1String("17")) {
        note(QStringLiteral("首页相册框"));
    } else if (cell == QLatin1String("18")) {
        note(QStringLiteral("首页相册"));
    } else if (cell == QLatin1String("22")) {
        note(QStringLiteral("博客标题列表"));
    } else if (cell == QLatin1String("23")) {
        note(QStringLiteral("博客"));
    }
    return p;
}

QString CellTextForEditing(const QString& cellText) { return UnescapeHtmlText(cellText, {.lineBreaks = true}); }

bool ShowsTextHint(bool textInfoShown, const QString& text, const QString& hintFlag) {
    return !textInfoShown && !text.isEmpty() && hintFlag != QLatin1String("1");
}

QString CellEditorAdUrl(const QDate& today) {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
           QStringLiteral("/pwtd/") + WeeklyFolderName(today) + QStringLiteral("/setpic.html") + AdvertisementPageQuery();
}

QString CellEditorHelpUrl() {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Main) +
           QStringLiteral("/setpic.html") + MemberPageQuery();
}

QString PreselectedFont(const QStringList& fonts) {
    for (const QString& name : {QStringLiteral("华文新魏"), QStringLiteral("宋体")})
        if (fonts.contains(name)) return name;
    return QString();
}

QStringList ReadCellTextStyle(const QString& row, const QStringList& fonts, TextPanelState& panel) {
    using namespace CellTextStyleField;
    static const QString defaults[Count] = {QStringLiteral("1"), QStringLiteral("11"), QStringLiteral("0/0/0/0/"),
                                            QStringLiteral("12"), QStringLiteral("宋体"), {}, {}, {}, {}, {},
                                            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    QStringList f = ReadCommaFields(row, Count);
    for (int k = 0; k < Count; ++k)
        if (f[k].isEmpty()) f[k] = defaults[k];
    while (f.size() < kTextStyleFieldCount) f.append(QString());

    Select(panel.layer, ListItem(f[Stacking], 3) - 1);
    const QString align = f[Alignment];
    if (!align.isEmpty()) {
        Select(panel.alignH, AlignmentItem(align.front()));
        Select(panel.alignV, AlignmentItem(align.back()));
    }
    QString margins = f[Margins];
    for (QString& box : panel.margins) {
        const QString piece = GetTextBefore(margins, QStringLiteral("/"));
        box = piece.isEmpty() ? QStringLiteral("0") : piece;
        const qsizetype slash = margins.indexOf(QLatin1Char('/'));
        margins = slash < 0 ? QString() : margins.mid(slash + 1);
    }
    panel.fontSize = f[FontSize];
    if (fonts.contains(f[FontName])) panel.font = f[FontName];
    const QString type = f[FontStyle];
    panel.fontType = type == QLatin1String("1") ? 1 : type == QLatin1String("2") ? 2 : type == QLatin1String("3") ? 3 : 0;
    panel.underline = f[Underline] == QLatin1String("1");
    panel.strikethru = f[StrikeThrough] == QLatin1String("1");
    Select(panel.art, ListItem(f[ArtText], 3));

    const bool art = f[ArtText] != QLatin1String("0");
    if (f[FontColor].isEmpty()) f[FontColor] = art ? QStringLiteral("#FFFFFF") : QStringLiteral("#000000");
    panel.fontColor = ColorOf(HtmlToColor(QString(f[FontColor])));
    if (!f[BackColor].isEmpty()) {
        panel.backColor = ColorOf(HtmlToColor(QString(f[BackColor])));
        panel.noBackColor = false;
    } else if (art) {
        panel.noBackColor = false;
    }
    ApplyBackStyle(panel.noBackColor, panel.backColor, f);

    Select(panel.scrolling, ListItem(f[Scrolling], 5));
    Select(panel.speed, ListItem(f[ScrollSpeed], 15));
    return f;
}

QString SwatchColorText(const QColor& c) { return ColorToHtml(c.red() + 256 * c.green() + 65536 * c.blue()); }

void ApplyBackStyle(bool noBackColor, const QColor& swatch, QStringList& fields) {
    while (fields.size() < kTextStyleFieldCount) fields.append(QString());
    fields[CellTextStyleField::BackColor] = noBackColor ? QString() : SwatchColorText(swatch);
}

QString ForeCodeFromControls(bool flashTicked, int verticalItem, int horizontalItem) {
    return MakeCellForeCode(flashTicked, AlignmentDigit(verticalItem).toInt(), AlignmentDigit(horizontalItem).toInt());
}

QString WriteCellTextStyle(const TextPanelState& panel, const QStringList& fields) {
    QString margins;
    for (const QString& m : panel.margins) margins += m.trimmed() + QStringLiteral("/");
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    return FormatCellTextStyle({
        QString::number(panel.layer + 1),
        AlignmentDigit(panel.alignH) + AlignmentDigit(panel.alignV),
        margins,
        panel.fontSize,
        panel.font,
        fields.value(CellTextStyleField::FontColor),
        fields.value(CellTextStyleField::BackColor),
        QString::number(panel.fontType),
        flag(panel.underline),
        flag(panel.strikethru),
        QString::number(panel.art),
        QString::number(panel.scrolling),
        QString::number(panel.speed),
    });
}
