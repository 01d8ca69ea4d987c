#pragma once
// The work of the home-page protection dialog frm网站加密, apart from its window: the state shown
// from the protection record (frmDB::grdDB[13], row 1), the question, the switch-on that sends
// the whole site with a new site key, the question and the answer, and the switch-off.
#include "site/publishsite.h"

#include <QString>
#include <QStringList>

#include <functional>

// The state texts of labEncryption.
inline const QString kProtectionOn = QStringLiteral("已加密");
inline const QString kProtectionOff = QStringLiteral("未加密");
inline const QString kProtectionUnknown = QStringLiteral("未知(读取网站加密信息遇到错误)");
// The last entry of the question list opens the custom-question box.
inline const QString kCustomQuestionEntry = QStringLiteral("自定义问题。");

// The entries of the question list, in order.
const QStringList& ProtectionQuestions();

// A new site key: eight lower-case hexadecimal digits from the system's secure generator.
QString NewSiteKey();

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct SiteProtectionView {
    std::function<void(const QString&)> setState;            // labEncryption
    std::function<void(bool)> enableEncryption;              // cmdEncryption
    std::function<void(bool)> enableNotEncryption;           // cmdNotEncryption
    // The question box cobQuestion (its text, typed or chosen), the custom-question box
    // txtMyQuestion with its label, and the answer box txtAnswer.
    std::function<QString()> questionText;
    std::function<void(const QString&)> setQuestionText;
    std::function<bool()> customQuestionShown;
    std::function<void(bool)> showCustomQuestion;
    std::function<QString()> customQuestionText;
    std::function<QString()> answerText;
    std::function<void(const QString&)> setAnswerText;
    std::function<void()> focusQuestion;
    std::function<void()> focusCustomQuestion;
    std::function<void()> focusAnswer;
    std::function<void()> showWait;                          // picNetToService, painted at once
    std::function<void()> hideWait;
    std::function<void()> close;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("setState", bool(setState));
        f("enableEncryption", bool(enableEncryption));
        f("enableNotEncryption", bool(enableNotEncryption));
        f("questionText", bool(questionText));
        f("setQuestionText", bool(setQuestionText));
        f("customQuestionShown", bool(customQuestionShown));
        f("showCustomQuestion", bool(showCustomQuestion));
        f("customQuestionText", bool(customQuestionText));
        f("answerText", bool(answerText));
        f("setAnswerText", bool(setAnswerText));
        f("focusQuestion", bool(focusQuestion));
        f("focusCustomQuestion", bool(focusCustomQuestion));
        f("focusAnswer", bool(focusAnswer));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("close", bool(close));
    }
};

class SiteProtectionController {
public:
    SiteProtectionView view;

    // The state, question and answer from the record its opener loaded.
    void Form_Load();
    // An entry of the question list was chosen.
    void cobQuestion_Click();
    // The custom question: its box shown and focused.
    void cmdDIY_Click();
    // Switches the protection on: the whole site, a new key, the question and the answer in one
    // call.
    void cmdEncryption_Click();
    // Switches the protection off.
    void cmdNotEncryption_Click();
};
