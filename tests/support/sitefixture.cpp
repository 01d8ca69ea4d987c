#include "support/sitefixture.h"

#include "platform/serviceconfig.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"

#include <QDir>

namespace testsupport {

void SiteTest::SetUp() {
    DataRootTest::SetUp();
    ServiceConfig config = ServiceConfig::defaults();
    config.domain = QStringLiteral("sitehost.test");
    config.frameHost = QStringLiteral("frm");
    config.mainHost = QStringLiteral("www");
    config.exampleHost = QStringLiteral("demo");
    config.flashDownloadHost = QStringLiteral("download.flash.test");
    config.flashPlayerHost = QStringLiteral("www.flash.test");
    serviceconfig::set(config, false);
    loginAs(QString::fromLatin1(kMember));
    QDir().mkpath(UserFolder + QStringLiteral("/temp"));
    SetLoginField(6, QStringLiteral("www12"));
    SetLoginField(11, QStringLiteral("u7788"));
    SetLoginField(15, QStringLiteral("9f8e7d6c"));
    SetLoginField(20, QStringLiteral("0"));
    SiteSettings.create();
}

void putCell(int column, int cell, int offset, const QString& value) {
    SiteSettings(column, GetCellBaseRow(static_cast<qint16>(cell)) + offset) = value;
}

QString SiteTest::pagePath(const QString& fileName) const { return SitePagePath(fileName); }

QByteArray SiteTest::page(const QString& fileName) const { return readFile(pagePath(fileName)); }

QByteArray SiteTest::golden(const QString& folder, const QString& name) {
    return readFile(testDataPath(folder + QStringLiteral("/golden/") + name));
}

}  // namespace testsupport
