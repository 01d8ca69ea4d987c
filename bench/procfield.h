#pragma once
// One "Name:  N kB" line of a /proc file (status, smaps_rollup), as a number of KB; 0 when the file
// or the line is missing.
#include <QByteArray>
#include <QFile>
#include <QString>

inline qint64 ProcFieldKb(const QString& path, const QByteArray& name) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray prefix = name + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(prefix)) return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    return 0;
}
