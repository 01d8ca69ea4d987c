#pragma once
// The description editor frm修改描述信息 apart from its window: the 30-byte limit while typing and
// storing the new description on the service, in the open file manager's cell and in the album's
// cached file list.
#include <QString>

#include <functional>

// Descriptions are at most this many bytes in the system code page.
inline constexpr int kDescriptionBytes = 30;

struct DescriptionEditorView {
    std::function<QString()> memoText;                       // txtMemo
    std::function<void(const QString&)> setMemoText;         // without running the change handler
    std::function<void(const QString&)> setWordLen;          // labWordLen
    std::function<void()> focusMemoAtEnd;                    // focus, caret after the last character
    std::function<void(bool)> showWait;                      // picWait, painted at once
    // The open file manager's txtMemo(index), when the window is open.
    std::function<void(int index, const QString& text)> setManagerMemo;
    std::function<void()> close;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("memoText", bool(memoText));
        f("setMemoText", bool(setMemoText));
        f("setWordLen", bool(setWordLen));
        f("focusMemoAtEnd", bool(focusMemoAtEnd));
        f("showWait", bool(showWait));
        f("setManagerMemo", bool(setManagerMemo));
        f("close", bool(close));
    }
};

class DescriptionEditorController {
public:
    DescriptionEditorView view;

    // The parameter labels the opener fills.
    QString labIndex;     // the cell, "0" to "14"
    QString labWebDir;    // the album
    QString labFileName;  // the stored name without its last four characters
    QString labWebPath;   // the file's address

    // txtMemo's change: the byte count, and a text over the limit shortened by one character
    // (a surrogate pair whole) with the message, again until it fits.
    void txtMemo_Change();
    // Stores the trimmed description: EditPicMemo, then DialogState 99, the cell, the cache, close.
    void cmdOK_Click();
};
