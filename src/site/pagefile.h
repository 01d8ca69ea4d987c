#pragma once
// The one rule by which every generated page reaches the member's temp folder: the page is one
// string whose lines are joined by a single CR (no LF, none after the last line), written whole
// as GBK bytes in place of the old file.
#include <QString>
#include <QStringList>

// <program folder>/UserData/<CurrentUserName>/temp/<fileName>: MemberTempPath's file.
QString SitePagePath(const QString& fileName);
// The lines joined by "\r" alone.
QString JoinPageLines(const QStringList& lines);
// Replaces temp/<fileName> with the page as GBK bytes ("?" for a character GBK lacks). The new
// page goes to a temporary file that then takes the page's name, so a browser refreshing the
// cell never reads half a page and a failed write leaves the old page whole. Raises VbError on
// failure (for instance a missing temp folder).
void WritePageFile(const QString& fileName, const QString& page);
// Copies temp/<from> over temp/<to> by the same rule. Raises VbError on failure.
void CopyPageFile(const QString& from, const QString& to);
