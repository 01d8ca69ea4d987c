#pragma once
// The password boxes of the login and account windows show each typed character as "*", as the
// windows were designed; Qt's styles draw a bullet instead.
#include <QLineEdit>
#include <QString>

inline void ShowTypedAsAsterisks(QLineEdit* box) {
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}
