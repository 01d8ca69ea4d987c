// The real message boxes: Qt's own button texts come in Chinese, and each button answers as the
// program expects.
#include <gtest/gtest.h>

#include "platform/prompts.h"
#include "support/modalwatcher.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

// A button's text without its keyboard mark ("是(&Y)" reads "是").
QString plain(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&"))); }

}  // namespace

TEST(StandardPrompts, MessageBoxButtonsReadInChineseAndAnswerByTheirPlace) {
    prompts::install(nullptr);
    struct Case {
        int style;
        QStringList texts;
        int secondAnswer;
    };
    const Case cases[] = {
        {vbYesNo | vbQuestion, {QStringLiteral("是"), QStringLiteral("否")}, vbNo},
        {vbOKCancel, {QStringLiteral("确定"), QStringLiteral("取消")}, vbCancel},
        {vbYesNoCancel, {QStringLiteral("是"), QStringLiteral("否"), QStringLiteral("取消")}, vbNo},
    };
    for (const Case& c : cases) {
        QStringList seen;
        testsupport::ModalWatcher<QMessageBox> watcher([&](QMessageBox* box) {
            const QList<QAbstractButton*> buttons = box->buttons();
            QList<QAbstractButton*> ordered;
            for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                if (QAbstractButton* button = box->button(b)) ordered.append(button);
            for (QAbstractButton* b : ordered) seen.append(plain(b->text()));
            if (ordered.size() > 1) ordered[1]->click();
        });
        const int answer = MsgBox(QStringLiteral("要继续吗？"), c.style, QStringLiteral("提示"));
        EXPECT_EQ(seen, c.texts) << c.style;
        EXPECT_EQ(answer, c.secondAnswer) << c.style;
    }
}

TEST(StandardWindows, EveryWindowShowsTheProgramIcon) {
    QWidget window;
    EXPECT_FALSE(window.windowIcon().pixmap(32, 32).isNull());
    QMessageBox box;
    EXPECT_FALSE(box.windowIcon().pixmap(32, 32).isNull());
}
