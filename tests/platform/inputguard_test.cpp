// User input is discarded while a synchronous request waits, and flows again afterwards.
#include "platform/inputguard.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDialog>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

TEST(UserInputGuardTest, DiscardsKeysOnlyWhileAlive) {
    QLineEdit edit;
    auto type = [&](char16_t c) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(QChar(c)));
        QCoreApplication::sendEvent(&edit, &press);
    };
    auto commit = [&](const QString& text) {
        QInputMethodEvent e;
        e.setCommitString(text);
        QCoreApplication::sendEvent(&edit, &e);
    };
    {
        UserInputGuard guard;
        EXPECT_TRUE(UserInputGuard::active());
        type(u'a');
        commit(QStringLiteral("中文"));  // what an input method types
        {
            UserInputGuard nested;
            type(u'b');
        }
        EXPECT_TRUE(UserInputGuard::active());
        type(u'c');
    }
    EXPECT_FALSE(UserInputGuard::active());
    EXPECT_EQ(edit.text(), QString());
    type(u'd');
    commit(QStringLiteral("中"));
    EXPECT_EQ(edit.text(), QStringLiteral("d中"));
}

TEST(UserInputGuardTest, AModalWindowOpenedDuringTheWaitStillTakesInput) {
    auto type = [](QWidget* w, char16_t c) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(QChar(c)));
        QCoreApplication::sendEvent(w, &press);
    };
    QDialog before;  // the modal window whose request is waiting
    auto* beforeEdit = new QLineEdit(&before);
    before.setWindowModality(Qt::ApplicationModal);
    before.show();
    {
        UserInputGuard guard;
        type(beforeEdit, u'x');
        // A timer's message or a page's alert opens on top while the request waits: unless it takes
        // input it can never close, and the request below it never returns.
        QDialog message;
        auto* messageEdit = new QLineEdit(&message);
        message.setWindowModality(Qt::ApplicationModal);
        message.show();
        type(messageEdit, u'y');
        type(beforeEdit, u'z');
        EXPECT_EQ(messageEdit->text(), QStringLiteral("y"));
    }
    EXPECT_EQ(beforeEdit->text(), QString());
}
