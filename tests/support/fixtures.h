#pragma once
// Shared test fixtures: a fresh data root per test, scripted prompts, small file helpers.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "platform/prompts.h"

namespace testsupport {

// Process-wide set-up: a private data root for the whole test program.
class ProcessEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

// One recorded prompt.
struct PromptRecord {
    QString kind;   // "msgbox", "input", "open", "openmany", "save", "folder", "color"
    QString text;   // message or prompt (as the program wrote it, "\r" kept)
    int style = 0;  // buttons | icon of a message box
    QString title;
    QString dir;    // initial folder or file name of a file dialog
};

// Records every prompt and answers from a queue; an empty queue answers the first button
// (OK or Yes), the empty text, or an invalid colour.
class ScriptedPrompts : public Prompts {
public:
    ScriptedPrompts() { prompts::install(this); }
    ~ScriptedPrompts() override { prompts::install(nullptr); }
    void answer(int button) { m_buttons.append(button); }
    void answerText(const QString& text) { m_texts.append(text); }
    void answerColor(const QColor& c) { m_colors.append(c); }
    const QList<PromptRecord>& records() const { return m_records; }
    QStringList messages() const;  // texts of the message boxes, in order
    void clear() { m_records.clear(); }

    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const QString& title, const QString& filter, const QString& dir) override;
    QStringList openFiles(const QString& title, const QString& filter, const QString& dir) override;
    QString saveFile(const QString& title, const QString& filter, const QString& dir) override;
    QString browseFolder(const QString& title, const QString& dir) override;
    QColor chooseColor(const QColor& initial, const QString& title) override;

private:
    QString nextText();
    QList<int> m_buttons;
    QStringList m_texts;
    QList<QColor> m_colors;
    QList<PromptRecord> m_records;
};

// A test with its own empty data root, member state reset and scripted prompts.
class DataRootTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString root() const { return m_dir->path(); }
    // Sets CurrentUserName and UserFolder and creates the member's folder.
    void loginAs(const QString& member);
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompts prompts;
};

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// The names of the files in a folder, hidden ones included, sorted: shows a stray temporary.
QStringList filesIn(const QString& folder);
// Compares bytes and, on a difference, reports the first differing line ("\r" or "\n" ends lines).
::testing::AssertionResult sameBytes(const QByteArray& expected, const QByteArray& actual);
// A file under tests/ (the source tree).
QString testDataPath(const QString& relative);

}  // namespace testsupport
