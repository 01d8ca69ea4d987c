#pragma once
// What every successful login leaves behind, checked the same way by the window's tests and the
// sequence's own.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QString>

// The member's temp folder holds every cell page (with the copies), the footer and the four
// backgrounds, but not the whole-site page, which only the site view writes.
inline void ExpectLoginPagesWritten(const QString& memberFolder) {
    const QString temp = memberFolder + QStringLiteral("/temp/");
    for (int cell = 0; cell <= 32; ++cell)
        EXPECT_TRUE(QFileInfo::exists(temp + QString::number(cell) + QStringLiteral(".html"))) << cell;
    for (const char* b : {"b", "b1", "b2", "b3"})
        EXPECT_TRUE(QFileInfo::exists(temp + QLatin1String(b) + QStringLiteral(".html"))) << b;
    EXPECT_FALSE(QFileInfo::exists(temp + QStringLiteral("view.html")));
}
