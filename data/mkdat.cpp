// Build step: turns the plain-text province, city and occupation lists of this folder into the
// enciphered table files the registration window reads (SF.dat, CS.dat, ZY.dat).
//
//   tavolin_mkdat <folder of the .txt lists> <output folder>
//
// A list line is its fields separated by tabs; empty lines and lines starting with "#" are skipped.
// Any fault in a list (wrong field count, empty field, duplicate code or name, a city of an unknown
// province, a table separator inside a value) stops the build with a message naming the line.
#include "foundation/cipher.h"
#include "foundation/table.h"
#include "foundation/tabletext.h"
#include "platform/paths.h"
#include "platform/vberror.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <stdexcept>

namespace {

struct ListLine {
    int number = 0;
    QStringList fields;
};

[[noreturn]] void fail(const QString& where, const QString& what) {
    throw std::runtime_error((where + QStringLiteral(": ") + what).toStdString());
}

QList<ListLine> readList(const QString& path, int fieldCount) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) fail(path, QStringLiteral("cannot be read"));
    const QString text = QString::fromUtf8(f.readAll());
    QList<ListLine> out;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QString where = path + QLatin1Char(':') + QString::number(i + 1);
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != fieldCount)
            fail(where, QStringLiteral("expected %1 tab-separated fields, found %2").arg(fieldCount).arg(fields.size()));
        for (const QString& v : fields) {
            if (v.isEmpty() || v.trimmed() != v) fail(where, QStringLiteral("empty field or blanks around a field"));
            for (const char* sep : {kFieldSep, kRowSep, kTableSep})
                if (v.contains(QLatin1String(sep))) fail(where, QStringLiteral("a field holds a table separator"));
        }
        out.append({i + 1, fields});
    }
    if (out.isEmpty()) fail(path, QStringLiteral("holds no entries"));
    return out;
}

// Every value of the given field is unique across the list (the program looks codes up by name,
// so a repeated name would hide the second entry).
void requireUnique(const QString& path, const QList<ListLine>& lines, int field, const QString& what) {
    QSet<QString> seen;
    for (const ListLine& l : lines) {
        if (seen.contains(l.fields[field]))
            fail(path + QLatin1Char(':') + QString::number(l.number), QStringLiteral("duplicate ") + what);
        seen.insert(l.fields[field]);
    }
}

void writeTable(const Table& table, const QString& path, const QString& name) {
    paths::WriteFileSafely(path, EncryptText(TableToText(table, name), QString::fromLatin1(kDataFileKeyText)));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tavolin_mkdat <list folder> <output folder>\n");
        return 2;
    }
    const QString src = args[1], out = args[2];
    try {
        const QString provincesPath = src + QStringLiteral("/provinces.txt");
        const QString citiesPath = src + QStringLiteral("/cities.txt");
        const QString occupationsPath = src + QStringLiteral("/occupations.txt");

        const QList<ListLine> provinces = readList(provincesPath, 2);  // code, name
        requireUnique(provincesPath, provinces, 0, QStringLiteral("province code"));
        requireUnique(provincesPath, provinces, 1, QStringLiteral("province name"));
        QHash<QString, QString> provinceName;
        Table sf(provinces.size(), 2);
        for (int r = 0; r < provinces.size(); ++r) {
            provinceName.insert(provinces[r].fields[0], provinces[r].fields[1]);
            sf.set(r, 0, provinces[r].fields[0]);
            sf.set(r, 1, provinces[r].fields[1]);
        }

        const QList<ListLine> cities = readList(citiesPath, 3);  // city code, province code, name
        requireUnique(citiesPath, cities, 0, QStringLiteral("city code"));
        QSet<QString> cityInProvince;
        QSet<QString> provincesWithCities;
        Table cs(cities.size(), 4);
        for (int r = 0; r < cities.size(); ++r) {
            const QStringList& f = cities[r].fields;
            const QString where = citiesPath + QLatin1Char(':') + QString::number(cities[r].number);
            if (!provinceName.contains(f[1])) fail(where, QStringLiteral("unknown province code ") + f[1]);
            const QString key = f[1] + QLatin1Char('\t') + f[2];
            if (cityInProvince.contains(key)) fail(where, QStringLiteral("city listed twice in its province"));
            cityInProvince.insert(key);
            provincesWithCities.insert(f[1]);
            cs.set(r, 0, f[0]);
            cs.set(r, 1, f[1]);
            cs.set(r, 2, f[2]);
            cs.set(r, 3, provinceName.value(f[1]));
        }
        // A province without cities could never be registered from (the city lookup fails).
        for (const ListLine& p : provinces)
            if (!provincesWithCities.contains(p.fields[0]))
                fail(provincesPath + QLatin1Char(':') + QString::number(p.number), QStringLiteral("province has no city"));

        const QList<ListLine> occupations = readList(occupationsPath, 2);  // code, name
        requireUnique(occupationsPath, occupations, 0, QStringLiteral("occupation code"));
        requireUnique(occupationsPath, occupations, 1, QStringLiteral("occupation name"));
        Table zy(occupations.size(), 2);
        for (int r = 0; r < occupations.size(); ++r) {
            zy.set(r, 0, occupations[r].fields[0]);
            zy.set(r, 1, occupations[r].fields[1]);
        }

        writeTable(sf, out + QStringLiteral("/SF.dat"), QStringLiteral("SF"));
        writeTable(cs, out + QStringLiteral("/CS.dat"), QStringLiteral("CS"));
        writeTable(zy, out + QStringLiteral("/ZY.dat"), QStringLiteral("ZY"));
    } catch (const VbError& e) {
        std::fprintf(stderr, "tavolin_mkdat: %s\n", e.description().toLocal8Bit().constData());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavolin_mkdat: %s\n", e.what());
        return 1;
    }
    return 0;
}
