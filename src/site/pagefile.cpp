#include "site/pagefile.h"

#include "foundation/folders.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "platform/vberror.h"

#include <QFile>

QString SitePagePath(const QString& fileName) { return MemberTempPath(fileName); }

QString JoinPageLines(const QStringList& lines) { return lines.join(QLatin1Char('\r')); }

void WritePageFile(const QString& fileName, const QString& page) {
    paths::WriteFileSafely(SitePagePath(fileName), AnsiCodec::encode(page));
}

void CopyPageFile(const QString& from, const QString& to) {
    QFile source(SitePagePath(from));
    if (!source.open(QIODevice::ReadOnly))
        throw VbError(VbError::FileNotFound, QStringLiteral("File not found: ") + source.fileName());
    const QByteArray bytes = source.readAll();
    source.close();
    paths::WriteFileSafely(SitePagePath(to), bytes);
}
