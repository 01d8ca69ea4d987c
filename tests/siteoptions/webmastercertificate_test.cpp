// The webmaster certificate: its texts, the proposed file name and extension rule, the scratch
// file's place and safety, and the save from the window to a JPEG file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "state/loginstate.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/ui/webbrowser.h"
#include "siteoptions/domainregistration.h"
#include "siteoptions/webmastercertificate.h"
#include "siteoptions/ui/webmastercertificatewindow.h"
#include "support/eventually.h"
#include "support/fixtures.h"

namespace {

const QString kErrorTitle = QStringLiteral("错误提示");

// TEMP for one test, put back afterwards.
class TempVariable {
public:
    explicit TempVariable(const QByteArray& value) : m_old(qgetenv("TEMP")), m_had(qEnvironmentVariableIsSet("TEMP")) {
        if (value.isNull()) qunsetenv("TEMP");
        else qputenv("TEMP", value);
    }
    ~TempVariable() {
        if (m_had) qputenv("TEMP", m_old);
        else qunsetenv("TEMP");
    }

private:
    QByteArray m_old;
    bool m_had;
};

class Certificate : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("zhang"));
        QDir().mkpath(paths::InRoot(QStringLiteral("data")));
        SetLoginField(3, QStringLiteral("2010-9-3"));
        SetLoginField(12, QStringLiteral("mysite"));
    }
    QString scratch() const { return temp.path() + QStringLiteral("/~temp.tmp"); }
    QTemporaryDir temp;
};

}  // namespace

TEST_F(Certificate, LabelsNameAndDateRules) {
    const CertificateTexts t = CertificateTextsFor(QStringLiteral("zhang"), QStringLiteral("mysite"), QStringLiteral("2010-9-3"));
    const QString domain = QLatin1Char('.') + serviceconfig::current().domain;
    EXPECT_EQ(t.member, QStringLiteral("zhang"));
    EXPECT_EQ(t.site, QStringLiteral("www.mysite") + domain);
    EXPECT_EQ(t.siteShort, QStringLiteral("(mysite") + domain + QStringLiteral(")"));
    EXPECT_EQ(t.mobileSite, QStringLiteral("m.mysite") + domain);

    const struct {
        const char* serverDate;
        const char* shown;
    } dates[] = {
        {"2010-9-3", "2010年9月3日"},
        {"2010-09-03 14:05:00", "2010年9月3日"},
        {"2011/12/31", "2011年12月31日"},
        {"0", ""},
        {"", ""},
    };
    for (const auto& d : dates)
        EXPECT_EQ(CertificateTextsFor(QString(), QString(), QString::fromLatin1(d.serverDate)).date, QString::fromUtf8(d.shown))
            << d.serverDate;

    EXPECT_EQ(CertificateFileName(QStringLiteral("zhang")), QStringLiteral("zhang的站长证书"));
    EXPECT_EQ(CertificateFileName(QStringLiteral("a.b")), QStringLiteral("a"));
    const struct {
        const char* chosen;
        const char* written;
    } names[] = {
        {"/x/cert", "/x/cert.jpg"},
        {"/x/cert.JPG", "/x/cert.JPG"},
        {"/x/cert.Jpg", "/x/cert.Jpg"},
        {"/x/cert.jpeg", "/x/cert.jpeg.jpg"},
        {"/x/cert.png", "/x/cert.png.jpg"},
    };
    for (const auto& n : names) EXPECT_EQ(WithJpgExtension(QString::fromLatin1(n.chosen)), QString::fromLatin1(n.written));
}

TEST_F(Certificate, TheScratchFileGoesToTempWhenItExistsElseToTheDataFolder) {
    {
        TempVariable env(QFile::encodeName(temp.path()));
        EXPECT_EQ(CertificateScratchPath(), scratch());
    }
    const QString inData = paths::InRoot(QStringLiteral("data/~temp.tmp"));
    {
        TempVariable env(QFile::encodeName(temp.path() + QStringLiteral("/missing")));
        EXPECT_EQ(CertificateScratchPath(), inData);
    }
    TempVariable env{QByteArray()};
    EXPECT_EQ(CertificateScratchPath(), inData);
}

TEST_F(Certificate, APlantedLinkIsRemovedNotFollowed) {
    const QString victim = root() + QStringLiteral("/victim.txt");
    testsupport::writeFile(victim, "keep me");
    ASSERT_TRUE(QFile::link(victim, scratch()));
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    WriteScratchBitmap(scratch(), picture);
    EXPECT_EQ(testsupport::readFile(victim), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(scratch()).isSymLink());
    EXPECT_EQ(QImage(scratch(), "BMP").size(), QSize(20, 10));
}

// Pixels of the page's yellow name type in the name's row of the page's layer.
int NameTypePixels(const QImage& certificate) {
    int n = 0;
    for (int y = 16 + 185; y < 16 + 235; ++y)
        for (int x = 24; x < 24 + 267; ++x) {
            const QColor c = certificate.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() < 120) ++n;
        }
    return n;
}

TEST_F(Certificate, SavingWritesTheCertificateAsAJpeg) {
    TempVariable env(QFile::encodeName(temp.path()));
    WriteCongratulationPage(QStringLiteral("zhang"));
    WebmasterCertificateWindow window;
    window.show();
    // The page lies over the certificate picture with the member name in its type, once drawn.
    ASSERT_EVENTUALLY(NameTypePixels(window.logic.view.capture().Handle) > 40, 60000);
    EXPECT_EQ(UnsetRequiredHooks(window.logic.view), QStringList());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("颁发站长证书"));
    EXPECT_EQ(window.labZZ->text(), QStringLiteral("zhang"));
    EXPECT_EQ(window.lab3GName->text(), QStringLiteral("m.mysite.") + serviceconfig::current().domain);
    EXPECT_EQ(window.labDate->text(), QStringLiteral("2010年9月3日"));
    EXPECT_EQ(QUrl(window.webQZ->LocationURL()).toLocalFile(), CongratulationPagePath());

    // A name without extension, and a bare name, which lands in the program folder.
    const QString chosen = root() + QStringLiteral("/certificate");
    prompts.answerText(chosen);
    window.cmdSave_Click();
    prompts.answerText(QStringLiteral("bare"));
    window.cmdSave_Click();
    EXPECT_TRUE(prompts.messages().isEmpty()) << prompts.messages().join(QLatin1Char('|')).toStdString();
    for (const QString& file : {chosen + QStringLiteral(".jpg"), root() + QStringLiteral("/bare.jpg")}) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_TRUE(testsupport::readFile(file).startsWith("\xFF\xD8"));
        EXPECT_EQ(QImage(file).size(), window.picPic->size());
    }
    EXPECT_GT(NameTypePixels(QImage(chosen + QStringLiteral(".jpg"))), 40);
    ASSERT_EQ(prompts.records().size(), 2);
    EXPECT_EQ(prompts.records()[0].kind, QStringLiteral("save"));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("保存站长证书"));
    EXPECT_EQ(QImage(scratch(), "BMP").size(), window.picPic->size());

    // A cancelled dialog: nothing written, nothing said.
    prompts.clear();
    window.cmdSave_Click();
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(Certificate, EveryFailedSaveShowsTheErrorBox) {
    TempVariable env(QFile::encodeName(temp.path()));
    WebmasterCertificateWindow window;

    // An unwritable target.
    prompts.answerText(root() + QStringLiteral("/no/such/folder/cert.jpg"));
    window.cmdSave_Click();
    ASSERT_EQ(prompts.records().size(), 2);
    EXPECT_TRUE(prompts.records()[1].text.startsWith(QStringLiteral("错误：26001\r\r"))) << prompts.records()[1].text.toStdString();
    EXPECT_EQ(prompts.records()[1].title, kErrorTitle);

    // The scratch file cannot be made: the save dialog never opens.
    prompts.clear();
    QFile::remove(scratch());
    ASSERT_TRUE(QDir().mkpath(scratch() + QStringLiteral("/inside")));
    window.cmdSave_Click();
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_TRUE(prompts.records()[0].text.startsWith(QStringLiteral("错误：75\r\r")));
    EXPECT_EQ(prompts.records()[0].title, kErrorTitle);
    QDir(scratch()).removeRecursively();

    // Nothing captured.
    prompts.clear();
    window.logic.view.capture = [] { return StdPicture{}; };
    window.cmdSave_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误：481\r\rInvalid picture")});
}
