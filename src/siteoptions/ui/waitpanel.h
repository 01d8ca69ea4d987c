#pragma once
// The please-wait panel of the site option dialogs: a moving bar beside its text, hidden until a
// service call runs, centred over the dialog.
#include <QString>

class QWidget;

QWidget* NewWaitPanel(QWidget* dialog, const QString& text);
// Centres the panel over its dialog (after the dialog has its size).
void CentreWaitPanel(QWidget* panel);
