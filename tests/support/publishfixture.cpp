#include "support/publishfixture.h"

#ifdef TAVOLIN_HAVE_EMULATOR

#include "albums/albumcache.h"
#include "foundation/hooks.h"
#include "platform/ansi.h"
#include "site/sitemodel.h"
#include "state/celleditorstate.h"
#include "state/celleditorwindowlabels.h"
#include "state/loginstate.h"
#include "state/prefaceeditorwindowlabels.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"

#include <QDir>
#include <QImage>
#include <QTcpServer>

namespace testsupport {

void PublishTest::SetUp() {
    EmulatorTest::SetUp();
    frm个人网站Labels::txtDomainNameVisible = false;
    netErrors = 0;
    fileManagerUnloads = 0;
    hooks::showNetError = [this] { ++netErrors; };
    SetFileManagerUnloader([this] { ++fileManagerUnloads; });

    demo = emulator().demoMember();
    loginAs(demo.name);
    QDir().mkpath(UserFolder + QStringLiteral("/temp"));
    QDir().mkpath(UserFolder + QStringLiteral("/data"));
    const emu::Member& m = member();
    SetLoginField(5, m.digest);
    SetLoginField(6, m.prefix);
    SetLoginField(7, m.albumStamp);
    SetLoginField(10, m.folder);
    SetLoginField(11, m.memberKey);
    SetLoginField(12, m.domain);
    SetLoginField(15, m.protectionKey);
    LoadSiteSettings(m.settings);
}

void PublishTest::TearDown() {
    hooks::showNetError = nullptr;
    SetFileManagerUnloader(nullptr);
    EmulatorTest::TearDown();
}

emu::Member& PublishTest::member() { return *emulator().server().store().find(demo.name); }

QString PublishTest::servedSite() {
    const EmulatorPage p = emulator().get(QStringLiteral("http://www.") + demo.domain + QLatin1Char('.') +
                                          emulator().domain() + QLatin1Char('/'));
    return p.status == 200 ? AnsiCodec::decode(p.body) : QString();
}

void PublishTest::openEditor(int cell) {
    LoadCellRecord(static_cast<qint16>(cell));
    EditorKind = cell == 10 ? 1 : 0;
    DialogState = EditorKind == 1 ? 1 : 0;
    RedimPendingPictures();
    frm图片设置Labels::resetLabels();
    frm图片设置Labels::picSetQJVisible = cell != 12;
    frm卷首语设置Labels::resetLabels();
}

QString PublishTest::pictureFile(const QString& name) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = UserFolder + QStringLiteral("/temp/") + name;
    image.save(path);
    return path;
}

void PublishTest::pendPicture(int row, const QString& localFile) {
    const QString cell = CellRecord.value(CellRecordEntry::Cell);
    const QString name = (row == 0 ? QStringLiteral("grb") : QStringLiteral("grp")) + cell;
    const QString ext = localFile.right(4).toLower();
    PendingPictures.set(row, PendingPicture::Flag, QStringLiteral("1"));
    PendingPictures.set(row, PendingPicture::LocalFile, localFile);
    PendingPictures.set(row, PendingPicture::RemoteFolder, QStringLiteral("www网站素材"));
    PendingPictures.set(row, PendingPicture::RemoteName, name);
    PendingPictures.set(row, PendingPicture::UploadedUrl,
                        QStringLiteral("http://") + QString(LoginField(6)).toLower().replace(QStringLiteral("www"), QStringLiteral("img")) +
                            QLatin1Char('.') + emulator().domain() + QStringLiteral("/space/") + LoginField(10) +
                            QStringLiteral("/www网站素材/") + name + ext);
    if (EditorKind == 1) frm卷首语设置Labels::labBJFlag = QStringLiteral("1");
    else if (row == 0) frm图片设置Labels::labBJFlag = QStringLiteral("1");
    else frm图片设置Labels::labQJFlag = QStringLiteral("1");
}

void PublishTest::stopService() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    ServiceConfig c = emulator().config();
    c.proxy = QStringLiteral("127.0.0.1:") + QString::number(port);
    serviceconfig::set(c, false);
}

QString PublishTest::settingsField(const EmulatorCall& call, int row) {
    return call.args.value(8).split(QStringLiteral("{/F}")).value(row);
}

}  // namespace testsupport

#endif  // TAVOLIN_HAVE_EMULATOR
