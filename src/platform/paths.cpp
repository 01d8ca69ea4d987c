#include "platform/paths.h"

#include "platform/safefile.h"
#include "platform/vberror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace paths {

namespace {
QString& pinnedRoot() {
    static QString root;
    return root;
}
}  // namespace

void SetDataRoot(const QString& root) { pinnedRoot() = root; }

QString DataRoot() {
    QString root = pinnedRoot();
    if (root.isEmpty()) root = qEnvironmentVariable("TAVOLIN_HOME");
    if (root.isEmpty()) root = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (root.isEmpty()) root = QDir::homePath() + QStringLiteral("/.local/share/tavolin");
    while (root.size() > 1 && root.endsWith(QLatin1Char('/'))) root.chop(1);
    QDir().mkpath(root);
    return root;
}

QString InRoot(const QString& relative) {
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/'))) rel.remove(0, 1);
    if (rel.compare(QLatin1String("Data"), Qt::CaseSensitive) == 0 || rel.startsWith(QLatin1String("Data/")))
        rel.replace(0, 4, QStringLiteral("data"));
    return DataRoot() + QLatin1Char('/') + rel;
}

QString SharedFile(const QString& name) {
    const QString candidates[] = {
        qEnvironmentVariable("TAVOLIN_SHARE_DIR"),
        QStringLiteral(TAVOLIN_BUILD_SHARE_DIR),
        QStringLiteral(TAVOLIN_SHARE_DIR),
    };
    for (const QString& dir : candidates) {
        if (dir.isEmpty()) continue;
        const QString p = dir + QLatin1Char('/') + name;
        if (QFileInfo::exists(p)) return p;
    }
    return QString();
}

bool IsSafeComponent(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0) return false;
    return true;
}

QString SafeComponent(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return QStringLiteral("_");
    QString out = name;
    for (QChar& c : out)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0) c = QLatin1Char('_');
    return out;
}

void WriteFileSafely(const QString& path, const QByteArray& bytes, Durability durability) {
    SafeFileWriter file;
    file.setDurable(durability == Durability::Synced);
    if (file.open(path) && file.write(bytes) && file.commit()) return;
    switch (file.failedStep()) {
    case SafeWriteStep::Open: throw VbError(file.errorNumber(), QStringLiteral("Path not found: ") + path);
    case SafeWriteStep::Write:
    case SafeWriteStep::Sync:
    case SafeWriteStep::Close: throw VbError(file.errorNumber(), QStringLiteral("Disk full: ") + path);
    case SafeWriteStep::Rename: break;
    }
    throw VbError(file.errorNumber(), QStringLiteral("Path/File access error: %1 (%2)").arg(path).arg(file.osError()));
}

}  // namespace paths
