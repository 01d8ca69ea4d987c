#pragma once
// Applying and resetting the cell of the cell editor frm图片设置, and the checks of its typed
// sizes: the work of its buttons apart from the window.
#include "celleditor/celleditor.h"
#include "site/publishsite.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What the apply needs of the editor window (hooks as platform/hookcheck.h says).
struct CellEditorView {
    // Required: shows the publish dialog frm更新网站 modally and gives its outcome.
    std::function<PublishOutcome()> showPublishDialog;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("showPublishDialog", bool(showPublishDialog));
    }
};

inline const QString kApplyUnexpectedError = QStringLiteral("遇到意外错误！请您退出软件后重新登录本软件再试。");

// The stored form of the member's text (CellRecord 9): active words disabled, the brackets
// escaped, then each CR LF a "<br>" (after the brackets, so the breaks stay tags).
QString CellTextForStoring(const QString& text);

// A row of PendingPictures as an apply marks it: a new local picture (flag "1") waits for upload
// into the materials album under prefix ("grb"/"grp") and the cell number, its address on the
// member's image host; any other flag uploads nothing.
void MarkPendingPicture(int row, const QString& flag, const QString& file, const QString& prefix, const QString& cell);

// Fills PendingPictures rows 0 and 1 from the flag labels and CellRecord 5 to 10 from the
// controls, as the apply does before the publish dialog. Without a registered domain it shows the
// no-domain message, changes nothing and returns false; also false (with the unexpected-error
// message) when the text layer cannot be built.
bool PrepareCellApply(const CellEditorSnapshot& editor, QStringList& textStyleFields);

// cmdOK_Click: prepares the record, sets DialogState to 0 and shows the publish dialog. The edit
// counts as applied only when the site took it (accepted, or nothing needed publishing): then the
// preview page becomes the cell's page ("26.html" and a new "27.html" for cell 25, "29.html" and
// "30.html" for 28) and true is returned, so the window disables its buttons. A refused or failed
// publish, and a page that cannot be copied (its message; the old page stays whole), return false.
bool ApplyCell(const CellEditorSnapshot& editor, QStringList& textStyleFields, const CellEditorView& view);

// cmdReSet_Click's labels, files and record: the picture labels and hand-off labels cleared, the
// cell's page copied back over the preview page (which stays deleted when the cell has no page),
// CellRecord 1 to 3 (and 4 to 7 while the foreground panel is shown) from the layout and the
// LocalColumn. Gives the foreground row the window then shows, or nothing for cell 12's panel.
std::optional<ForegroundFields> ResetCellRecord();

// ---- typed sizes
// The outcome of checking a typed size: the messages in order, the text the box is left with,
// and whether the text was accepted (the window is then marked changed).
struct SizeCheck {
    QStringList messages;
    QString text;
    bool accepted = false;
    bool corrected = false;  // the text was changed (the box gets it back)
    bool reset = false;      // set to the limit: the box selects its whole text
};
// txtQJW/txtQJH: an empty text stops at once; a text that is no number loses its last character
// (then blanks) until it is one or empty, one message each time; a number above the cell's size
// gives its message and becomes the cell's size.
SizeCheck CheckForegroundSize(const QString& text, const QString& cellSize, bool width);
// cobFontSize's typed text: only a positive number is accepted; otherwise it loses its last
// character until it is one or empty, one message each time.
SizeCheck CheckFontSize(const QString& text);
inline const QString kFontSizeMessage = QStringLiteral("错误！字体大小必须为正数。");

// A margin box's value within what the guide lines can take (a margin times 15 twips stays a
// 16-bit number: ±2184 pixels); nothing for a text that is no such number.
std::optional<int> GuideMarginValue(const QString& text);
