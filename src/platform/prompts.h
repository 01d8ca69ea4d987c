#pragma once
// Every message box, input box and common dialog goes through one Prompts object, so tests can
// script the answers and assert the exact texts.
#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

// Buttons and icons of a message box, combined with "|", and its answers (the old runtime's values).
enum MsgBoxStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbDefaultButton2 = 256,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

class Prompts {
public:
    virtual ~Prompts() = default;
    // Text lines are separated by "\r" as the program writes them.
    virtual int msgBox(const QString& text, int style, const QString& title) = 0;
    // Returns the text typed, or the empty text when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // File dialogs return the chosen path ("/" separators) or the empty text when cancelled.
    // filter is in Qt's form ("图片 (*.jpg *.gif)").
    virtual QString openFile(const QString& title, const QString& filter, const QString& dir) = 0;
    virtual QStringList openFiles(const QString& title, const QString& filter, const QString& dir) = 0;
    virtual QString saveFile(const QString& title, const QString& filter, const QString& dir) = 0;
    virtual QString browseFolder(const QString& title, const QString& dir) = 0;
    // Returns an invalid colour when cancelled.
    virtual QColor chooseColor(const QColor& initial, const QString& title) = 0;
};

// A filter in the runtime's form ("text|*.a;*.b|text|*.c") in Qt's ("text (*.a *.b);;text (*.c)").
// Each pattern is also offered in upper case, so a camera's ".JPG" files show on a
// case-sensitive file system.
QString QtFileFilter(const QString& runtimeFilter);

// The answer of a message box whose member takes its first button: Yes, Abort, Retry or OK.
int FirstButton(int style);

namespace prompts {
// The prompts in force: those a test installed, else the standard ones (the windows layer's
// dialogs, set at start), else answers without asking (logged), as in the service emulator.
Prompts& current();
// Installs p (not owned); nullptr restores the standard prompts.
void install(Prompts* p);
// The standard prompts (not owned); the windows layer sets its dialogs at start.
void setStandard(Prompts* p);
}  // namespace prompts

// The form the program's code uses: MsgBox(text, vbInformation, "提示").
inline int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString()) {
    return prompts::current().msgBox(text, style, title);
}

// After a save dialog whose chosen name the caller completed (an extension added): the dialog
// asked only about the name as typed. True when nothing stands at path or the member answers Yes
// to "<path> 已存在。\r要替换它吗？" (Yes and No, exclamation icon, the dialog's title).
bool ConfirmReplaceCompleted(const QString& path, const QString& title);
