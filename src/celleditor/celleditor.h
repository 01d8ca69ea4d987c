#pragma once
// The work of the cell editor frm图片设置 apart from its window: what the opening shows for the
// cell in CellRecord (canvas, foreground fields, panels, size label, text), the text style row
// read into the text panel and written back, and the small decisions of its handlers.
// Canvas positions and sizes are twips (15 to a pixel).
#include <QColor>
#include <QDate>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// ---- Canvas
namespace CellCanvas {
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kFrameWidth = 12420;   // picFrame at design
inline constexpr int kFrameHeight = 6885;
inline constexpr int kHScrollWidth = 12435;  // hscPic
inline constexpr int kVScrollHeight = 6960;  // vscPic
inline constexpr int kInfoHeight = 3810;     // picPicInfo
inline constexpr int kViewTop = 4395;        // picView at design
// webView sits at picView's corner (this browser draws no frame to hide, so the page's first rows
// and columns stay in sight) and this much larger, so its scroll bars lie outside the cell.
inline constexpr int kBrowserExtra = 1000;
}  // namespace CellCanvas

struct CanvasLayout {
    QRect view;                  // picView inside picFrame
    int frameWidth = CellCanvas::kFrameWidth;
    int frameHeight = CellCanvas::kFrameHeight;
    bool hscEnabled = false;
    int hscMax = 0;
    bool vscEnabled = false;
    int vscMax = 0;
};
// The canvas for a cell of the given size in pixels.
CanvasLayout LayOutCanvas(int widthPx, int heightPx);

// Guide lines of the text margins over picView: the top and bottom lines' tops, the left and
// right lines' lefts.
struct GuideLines {
    int top = 0, bottom = 0, left = 0, right = 0;
};
GuideLines EdgeGuideLines(const QRect& view);
// A margin box's text as the guide line takes it: the trimmed text as a whole number (halves to
// the even one); nothing when it is not a number, which the box answers with its message.
std::optional<int> MarginValue(const QString& text);
// Moves one guide line (0 top, 1 bottom, 2 left, 3 right) inward by the margin in pixels.
void PlaceGuideLine(GuideLines& lines, const QRect& view, int side, int marginPx);
inline const QString kMarginNotNumber = QStringLiteral("边距必须是数字，请您重请设输入。");

// ---- What the opening shows for the cell
// labSize: "26区 [区域大小：300×200(像素)]"; cells 28 and 31 are areas 26 and 27.
QString CellSizeLabel(const QString& cell, const QString& width, const QString& height);

// The foreground row filled from CellRecord 4 to 7. A list item of -1 leaves the list as it was.
struct ForegroundFields {
    QString width, height;  // txtQJW, txtQJH
    int vertical = -1;      // cobQJCZ
    int horizontal = -1;    // cobQJSP
    bool flashShown = false;
    bool flashSet = false;    // the code carries the Flash digit: cheFlash takes flashTicked
    bool flashTicked = true;  // cheFlash is ticked at design
};
ForegroundFields ReadForegroundFields(const QStringList& record);

// Which panels replace the rows for the cell. musicOccupiesText: the music box takes cell 4's text.
struct CellPanels {
    bool backgroundInfo = false;  // picSetBJInfo in place of picSetBJ
    QString backgroundNote;       // labBJInfo; empty keeps the design text
    int uploadButton = -1;        // cmdUploadAreaPic shown, or -1
    bool foreground12 = false;    // picSet12QJ in place of picSetQJ, text panel hidden
    bool textInfo = false;        // picSetTextInfo in place of picText
};
CellPanels PanelsForCell(const QString& cell, bool musicOccupiesText);
inline const QString kBackgroundInfoDesign =
    QStringLiteral("当前区域的背景图可由多张图片构成，您可以点击此按钮上传图片->");
inline const QString kForeground12Note =
    QStringLiteral("注：当前区域只能设置背景图，前景图由多张图片构成，您可以点击此按钮上传图片->");
inline const QString kTextInfoNote = QStringLiteral(
    "注：当前区域的文字信息已被背景音乐的歌词及音乐播放器所取代，若想恢复此处的文字信息则请您先在背景"
    "音乐设置功能中     设置“不显示歌词”及“隐藏播放器”。");

// CellText as txtTxt shows it: "<br>" a line break, "&lt;" and "&gt;" the characters; any other
// markup stays text.
QString CellTextForEditing(const QString& cellText);

// The text hint (HintFlag 35) is shown.
bool ShowsTextHint(bool textInfoShown, const QString& text, const QString& hintFlag);
inline const QString kTextHint = QStringLiteral("提示：\r    您可以把此处的文字修改成其它文字。");

// The weekly advertisement page and the help page, with the member's keys.
QString CellEditorAdUrl(const QDate& today);
QString CellEditorHelpUrl();

// ---- The text style row (CellRecord 10) and the text panel
// The state of the text panel's controls, as the style is read into them and written from them.
// Lists are item numbers (-1 none selected).
struct TextPanelState {
    int layer = 0;           // cobTC
    int alignH = 0;          // cobTxtSP
    int alignV = 0;          // cobTxtCZ
    std::array<QString, 4> margins{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                   QStringLiteral("0")};  // txtBJS, txtBJX, txtBJZ, txtBJY
    QString fontSize = QStringLiteral("16");  // cobFontSize's text
    QString font;                             // cobFont's selected text
    int fontType = 0;        // cobFontType
    bool underline = false;  // cheUnderline
    bool strikethru = false;  // cheStrikethru
    int art = 0;             // cobTX1
    int scrolling = 0;       // cobTX2
    int speed = 0;           // cobSpeed
    QColor fontColor = Qt::black;      // labFontColor
    QColor backColor = Qt::white;      // labFontBackColor
    bool noBackColor = true;           // cheBackStyle
};
inline constexpr int kTextStyleFieldCount = 15;
// The design font: "华文新魏", else "宋体", else none, among the listed fonts.
QString PreselectedFont(const QStringList& fonts);
// Reads the row into TextStyleFields (returned, 15 entries) and the panel: an empty field takes its
// default; a value a control cannot show leaves that control as it was. fonts: cobFont's items.
QStringList ReadCellTextStyle(const QString& row, const QStringList& fonts, TextPanelState& panel);
// A swatch's colour as a colour field stores it: "#" and six upper-case hexadecimal digits.
QString SwatchColorText(const QColor& c);
// cheBackStyle's effect on TextStyleFields field 6.
void ApplyBackStyle(bool noBackColor, const QColor& swatch, QStringList& fields);
// The scrolling speed shows while a direction is chosen.
inline bool SpeedVisible(int scrolling) { return scrolling > 0; }
// The row written from the panel and TextStyleFields fields 5 and 6.
QString WriteCellTextStyle(const TextPanelState& panel, const QStringList& fields);

// cobSpeed's items, the scrolling speeds.
inline const QStringList kSpeedItems = {
    QStringLiteral("1"), QStringLiteral("2"),  QStringLiteral("3"),  QStringLiteral("4"),  QStringLiteral("5"),
    QStringLiteral("6"), QStringLiteral("7"),  QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"),
    QStringLiteral("12"), QStringLiteral("15"), QStringLiteral("20"), QStringLiteral("25"), QStringLiteral("30")};
// cobSpeed's text: its item, or the empty text with none selected.
inline QString SpeedText(int speedItem) { return kSpeedItems.value(speedItem); }

// ---- The editor's controls as the page builders read them
struct CellEditorSnapshot {
    QStringList record;             // CellRecord: 0 cell, 1 and 2 its size, 3 background, 4 foreground
    QString text;                   // txtTxt, its lines ended by CR LF
    TextPanelState panel;           // the text panel
    QString foreWidth, foreHeight;  // txtQJW and txtQJH exactly as they stand
    bool flashTicked = true;        // cheFlash
    int foreVertical = 0;           // cobQJCZ's item
    int foreHorizontal = 0;         // cobQJSP's item
};
// CellForeCode from cheFlash and the items of cobQJCZ and cobQJSP: item 1 "0", item 2 "2", any
// other (none too) "1".
QString ForeCodeFromControls(bool flashTicked, int verticalItem, int horizontalItem);

// ---- Closing
inline const QString kApplyQuestion = QStringLiteral("是否要把刚才所做的修改应用到您的网站中?");
