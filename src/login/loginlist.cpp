#include "login/loginlist.h"

#include "foundation/machine.h"
#include "foundation/tabletext.h"
#include "login/logintoken.h"
#include "platform/paths.h"
#include "platform/vberror.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kTableName = QStringLiteral("LoginList");

Table normalised(const Table& t) {
    Table out(t.rows(), kLoginListFields);
    for (int r = 0; r < t.rows(); ++r)
        for (int c = 0; c < kLoginListFields; ++c) out(r, c) = t.value(r, c);
    return out;
}

bool writeList(const Table& list) {
    try {
        QDir().mkpath(QFileInfo(LoginListPath()).absolutePath());
        return WriteTableFile(list, LoginListPath(), kTableName);
    } catch (const VbError&) {
        return false;
    }
}
}  // namespace

QString LoginListPath() { return paths::InRoot(QStringLiteral("data/g1.dat")); }

QString ThisMachineCode() { return MakeMachineCode(QString::number(GetVolumeSerial(QStringLiteral("c:\\")))); }

Table ReadLoginList() {
    Table t;
    try {
        t = ReadTableFile(LoginListPath(), kTableName);
    } catch (const VbError&) {
        return Table(0, kLoginListFields);
    }
    if (t.isNull()) return Table(0, kLoginListFields);
    return normalised(t);
}

QStringList RememberedMemberNames() {
    QStringList names;
    const Table list = ReadLoginList();
    for (int r = 0; r < list.rows(); ++r) names.append(list(r, 1));
    return names;
}

QString RememberedToken(const QString& name) {
    Table rows;
    try {
        rows = SelectTableRows(LoginListPath(), kTableName, 1, name);
    } catch (const VbError&) {
        return QString();
    }
    if (rows.value(0, 0) == QLatin1String("null")) return QString();
    if (rows.value(0, 0) != ThisMachineCode()) return QString();
    return rows.value(0, 2);
}

Table WithLoginEntry(const Table& list, const QStringList& entry) {
    const Table in = normalised(list);
    int found = -1;
    for (int r = 0; r < in.rows(); ++r)
        if (in(r, 1) == entry.value(1)) {
            found = r;
            break;
        }
    // A found row is overwritten by the rows before it moving down; otherwise every row moves down
    // and whatever passes the tenth place is dropped.
    const int rows = found >= 0 ? in.rows() : qMin(in.rows() + 1, kLoginListMaxRows);
    Table out(rows, kLoginListFields);
    for (int c = 0; c < kLoginListFields; ++c) out(0, c) = entry.value(c);
    int to = 1;
    for (int r = 0; r < in.rows() && to < rows; ++r) {
        if (r == found) continue;
        for (int c = 0; c < kLoginListFields; ++c) out(to, c) = in(r, c);
        ++to;
    }
    return out;
}

void StoreLoginEntry(const QString& member, const QString& token, const QString& prefix) {
    const Table list = ReadLoginList();
    QString code;
    try {
        code = ThisMachineCode();
    } catch (const VbError&) {
    }
    writeList(WithLoginEntry(list, {code, member, token, prefix, QString()}));
}

bool UpdateRememberedLoginToken(const QString& member, const QString& newPassword) {
    Table list = ReadLoginList();
    const QString code = ThisMachineCode();
    for (int r = 0; r < list.rows(); ++r) {
        if (list(r, 1) != member) continue;
        if (list(r, 2).isEmpty() || list(r, 0) != code) return false;
        list(r, 2) = LoginToken(newPassword);
        return writeList(list);
    }
    return false;
}
