#include "foundation/settings.h"

#include "foundation/tabletext.h"
#include "platform/paths.h"
#include "state/loginstate.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kRows = 501;

Table emptySettings() {
    Table t(kRows, 2);
    for (int r = 0; r < kRows - 1; ++r) t(r, 0) = QString::number(r);
    return t;
}

QString userFolderPath() { return paths::InRoot(QStringLiteral("UserData/") + CurrentUserName); }

bool userFolderExists() { return !CurrentUserName.isEmpty() && QFileInfo(userFolderPath()).isDir(); }

QString getSetting(const QString& path, const QString& name, int id) {
    const Table t = ReadTableFile(path, name);
    if (t.isNull()) return QString();
    const QString key = QString::number(id);
    for (int r = 0; r + 1 < t.rows(); ++r)
        if (t(r, 0) == key) return t.value(r, 1);
    return QString();
}

bool setSetting(const QString& path, const QString& name, int id, const QString& value) {
    if (id < 0 || id >= kRows - 1) return true;  // no such row; callers never pass one
    Table t = ReadTableFile(path, name);
    // A file that exists but holds no table (zero bytes, or cut short) would otherwise swallow
    // every later setting: start it again from an empty table.
    if (t.isNull() || t.rows() < kRows || t.cols() < 2) {
        Table fresh = emptySettings();
        if (!t.isNull())
            for (int r = 0; r < qMin(t.rows(), kRows - 1); ++r)
                if (t.value(r, 0) == QString::number(r)) fresh(r, 1) = t.value(r, 1);
        t = fresh;
    }
    t(id, 1) = value;
    WriteTableFile(t, path, name);
    return true;
}

}  // namespace

QString GlobalSettingsPath() { return paths::InRoot(QStringLiteral("data/g0.dat")); }

QString UserSettingsPath() { return userFolderPath() + QStringLiteral("/u0.dat"); }

void CreateGlobalSettings() {
    QDir().mkpath(QFileInfo(GlobalSettingsPath()).absolutePath());
    WriteTableFile(emptySettings(), GlobalSettingsPath(), QStringLiteral("GCS"));
}

void CreateUserSettings() {
    if (!userFolderExists()) return;
    WriteTableFile(emptySettings(), UserSettingsPath(), QStringLiteral("UCS"));
}

QString GetGlobalSetting(int id) {
    if (!QFileInfo::exists(GlobalSettingsPath())) CreateGlobalSettings();
    return getSetting(GlobalSettingsPath(), QStringLiteral("GCS"), id);
}

bool SetGlobalSetting(int id, const QString& value) {
    if (!QFileInfo::exists(GlobalSettingsPath())) CreateGlobalSettings();
    return setSetting(GlobalSettingsPath(), QStringLiteral("GCS"), id, value);
}

std::optional<QString> TeachCounterAfterOpening(const QString& counter) {
    const QString c = counter.isEmpty() ? QStringLiteral("0") : counter;
    if (c == QLatin1String("0") || c == QLatin1String("1") || c == QLatin1String("2"))
        return QString::number(c.toInt() + 1);
    return std::nullopt;
}

void TeachOpenAtFirstLoads(int counterSetting, const std::function<void()>& open) {
    const std::optional<QString> next = TeachCounterAfterOpening(GetUserSetting(counterSetting));
    if (!next) return;
    open();
    SetUserSetting(counterSetting, *next);
}

QString GetUserSetting(int id) {
    if (!userFolderExists()) return QString();
    if (!QFileInfo::exists(UserSettingsPath())) CreateUserSettings();
    return getSetting(UserSettingsPath(), QStringLiteral("UCS"), id);
}

bool SetUserSetting(int id, const QString& value) {
    if (!userFolderExists()) return true;
    if (!QFileInfo::exists(UserSettingsPath())) CreateUserSettings();
    return setSetting(UserSettingsPath(), QStringLiteral("UCS"), id, value);
}
