#include "platform/fontnames.h"

#include "platform/paths.h"

#include <QFile>
#include <QFontDatabase>
#include <QXmlStreamReader>

namespace {
const char kAliasFile[] = "fonts.conf";
}

void UseFontAliases() {
    if (!qEnvironmentVariableIsEmpty("FONTCONFIG_FILE")) return;
    const QString file = paths::SharedFile(QString::fromLatin1(kAliasFile));
    if (!file.isEmpty()) qputenv("FONTCONFIG_FILE", QFile::encodeName(file));
}

QStringList MappedFontNames() {
    static const QStringList names = [] {
        QStringList found;
        QFile file(paths::SharedFile(QString::fromLatin1(kAliasFile)));
        if (!file.open(QIODevice::ReadOnly)) return found;
        // Each alias is a rule whose test names the family: <test name="family"><string>宋体</string>.
        QXmlStreamReader xml(&file);
        bool inFamilyTest = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("test"))
                inFamilyTest = xml.attributes().value(QLatin1String("name")) == QLatin1String("family");
            else if (xml.isEndElement() && xml.name() == QLatin1String("test"))
                inFamilyTest = false;
            else if (inFamilyTest && xml.isStartElement() && xml.name() == QLatin1String("string"))
                found.append(xml.readElementText());
        }
        return found;
    }();
    return names;
}

QStringList ScreenFontNames() {
    QStringList names = QFontDatabase::families();
    for (const QString& alias : MappedFontNames())
        if (!names.contains(alias, Qt::CaseInsensitive)) names.append(alias);
    return names;
}
