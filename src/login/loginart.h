#pragma once
// The artwork of the splash and the login window, painted (the program ships no pictures for them).
#include <QPixmap>
#include <QSize>
#include <QString>

QPixmap LoginArtwork(const QSize& size, const QString& title);
