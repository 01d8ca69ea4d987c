#pragma once
// The preface letter of cell 10, apart from its window: the eight one-line boxes' wrapping and
// cursor rules, the letter's stored form, its HTML fragment with the three text effects, and the
// preview page the preface editor shows.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

inline constexpr int kLetterLines = 8;
inline constexpr int kLetterLineBytes = 36;  // GBK bytes per line; a Chinese character counts 2

// ---- the line boxes
// What a change of one line leaves: the eight lines after the overflow has flowed down, and the
// line that takes the focus with the cursor at its end (none when the changed line fitted).
struct LetterFlow {
    QStringList lines;
    std::optional<int> focusLine;
};
// The line rule after line `changed` was edited. A line 0 to 6 over 36 bytes passes the
// characters that do not fit, in order, to the front of the next line, which passes on its own
// overflow the same way; line 7 drops whatever does not fit. The focus goes to the line after
// the changed one when that one overflowed.
LetterFlow FlowLetterLines(QStringList lines, int changed);

// Where a cursor key takes the caret, or nothing when it stays in its line. key is a Qt::Key;
// lineLengths are the eight lines' lengths in characters.
struct LetterCaret {
    int line = 0;
    int position = 0;
};
std::optional<LetterCaret> LetterCursorMove(int line, int key, int position, const QList<int>& lineLengths);

// ---- the stored letter (CellText, CellRecord 9)
// The eight lines with every space as "&nbsp;", "<" and ">" escaped ("&" stays as typed), joined
// by "<br>": seven "<br>" always.
QString LetterCellText(const QStringList& lines);
// The stored letter back into the lines: its first eight "<br>" segments, unescaped and without
// the old font-size tags. Lines after the last segment keep their text.
void LoadLetterLines(const QString& cellText, QStringList& lines);

// ---- the fragment (CellTextHtml, CellRecord 8) and the preview page
// The three style values the editor holds. effect is the effect list's index: 1 shadow, 2 glow,
// anything else plain. A colour without its "#" gets it back here, and keeps it.
struct LetterStyle {
    QString fontColor;  // PrefaceStyle 5
    QString backColor;  // PrefaceStyle 6, empty for none
    int effect = 0;     // cobTX1
};
// The letter's HTML in the cell-wide table, or the letter itself when it is blank.
QString CreateLetterHtml(const QString& cellWidth, const QString& cellText, LetterStyle& style);
// The preview page "setpic.html" of the cell: width, height and background from CellRecord 1 to
// 3 around the fragment.
QString LetterPreviewPage(const QString& cellWidth, const QString& cellHeight, const QString& background,
                          const QString& fragment);
// RefreshLetterPreview: CellRecord 9 := the lines' letter text, then the page is written over
// "setpic.html" (a failed write keeps the old page) and refresh runs.
void RefreshLetterPreview(const QStringList& lines, LetterStyle& style, const std::function<void()>& refresh);
