// Service calls: endpoint addresses by host rule, the call frame through the configured proxy, the
// error convention and the picture upload, against a real HTTP server standing as the proxy.
#include <gtest/gtest.h>

#include "foundation/hooks.h"
#include "foundation/servicecall.h"
#include "foundation/ui/pleasewait.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "platform/serviceconfig.h"
#include "support/fixtures.h"
#include "support/soaptestserver.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

using testsupport::SoapTestServer;

namespace {

const QStringList kUploadParams = {QStringLiteral("UserName"), QStringLiteral("Psw"),      QStringLiteral("Prefix"),
                                   QStringLiteral("Dir"),      QStringLiteral("NameMode"), QStringLiteral("FileName"),
                                   QStringLiteral("Ext"),      QStringLiteral("Memo"),     QStringLiteral("FileData")};

class ServiceCallTest : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        ServiceConfig c = ServiceConfig::defaults();
        c.domain = QStringLiteral("sitehost.test");
        c.defaultHost = QStringLiteral("www");
        c.proxy = QStringLiteral("127.0.0.1:%1").arg(server.port());
        serviceconfig::set(c, false);
        loginAs(QStringLiteral("zhang"));
        SetLoginField(5, QStringLiteral("0123456789abcdef0123456789abcdef"));
        SetLoginField(6, QStringLiteral("www7"));
        hooks::showNetError = [this] { ++netErrors; };
    }
    void TearDown() override {
        hooks::showNetError = nullptr;
        serviceconfig::reload();
        DataRootTest::TearDown();
    }
    // The server answers for the endpoint on the host, as the real service would.
    void serve(const QString& host, const QString& endpoint, const QList<QPair<QString, QStringList>>& operations) {
        server.wsdl = SoapTestServer::makeWsdl(
            QStringLiteral("http://%1.sitehost.test/services/%2.asmx").arg(host, endpoint), operations, endpoint);
    }
    QString picture(const QString& name, const QByteArray& bytes) {
        const QString path = root() + QLatin1Char('/') + name;
        testsupport::writeFile(path, bytes);
        return path;
    }

    SoapTestServer server;
    int netErrors = 0;
};

}  // namespace

TEST_F(ServiceCallTest, EndpointHostsFollowTheServerPrefix) {
    struct Case {
        const char* prefix;
        const char* endpoint;
        const char* method;
        const char* host;
    };
    const Case cases[] = {
        {"www7", "imgser001", "UploadFile01", "img7"},   {"www7", "webser002", "GetBlogList", "web7"},
        {"www7", "webser001", "EditPsw", "web7"},        {"www7", "wwwser001", "TestDomain", "www7"},
        {"www7", "wwwser002", "UploadWebsite2", "www7"}, {"www7", "wwwser003", "WebsiteEncryption", "www7"},
        {"WWW12", "imgser001", "DelFile", "img12"},      {"WWW12", "wwwser002", "UploadWebsite2", "www12"},
        {"www7", "regser001", "Register", "www"},        // registration: always the default host
        {"wwwwww3", "webser002", "GetBlog", "webweb3"},  // every occurrence is replaced
    };
    for (const Case& c : cases) {
        SetLoginField(6, QString::fromLatin1(c.prefix));
        EXPECT_EQ(ServiceWsdlUrl(QString::fromLatin1(c.endpoint), QString::fromLatin1(c.method)),
                  QStringLiteral("http://%1.sitehost.test/services/%2.asmx?WSDL")
                      .arg(QString::fromLatin1(c.host), QString::fromLatin1(c.endpoint)))
            << c.prefix << " " << c.endpoint;
    }
}

TEST_F(ServiceCallTest, LoginHostIsTheRememberedPrefixOrTheDefaultHost) {
    SetLoginField(6, QStringLiteral("www5"));  // not what the login goes by
    EXPECT_EQ(ServiceWsdlUrl(QStringLiteral("webser001"), QStringLiteral("LoginSoftV2")),
              "http://www.sitehost.test/services/webser001.asmx?WSDL");
    SetUserSetting(UcsServerPrefix, QStringLiteral("WWW9"));
    EXPECT_EQ(ServiceWsdlUrl(QStringLiteral("webser001"), QStringLiteral("LoginSoftV2")),
              "http://web9.sitehost.test/services/webser001.asmx?WSDL");
    // A damaged remembered prefix would name a host that does not exist: the default host serves.
    for (const char* damaged : {"wwx9", "www9.", "www", "www9x", "w\u00e99", "www 9", "www99999999999"}) {
        SetUserSetting(UcsServerPrefix, QString::fromUtf8(damaged));
        EXPECT_EQ(ServiceWsdlUrl(QStringLiteral("webser001"), QStringLiteral("LoginSoftV2")),
                  "http://www.sitehost.test/services/webser001.asmx?WSDL")
            << damaged;
    }
    // A member never seen on this machine has no folder and so no remembered prefix.
    CurrentUserName = QStringLiteral("newcomer");
    EXPECT_EQ(ServiceWsdlUrl(QStringLiteral("webser001"), QStringLiteral("LoginSoftV2")),
              "http://www.sitehost.test/services/webser001.asmx?WSDL");
}

TEST_F(ServiceCallTest, CallGoesThroughTheProxyToTheEndpointHostWithThePictureShown) {
    serve(QStringLiteral("www7"), QStringLiteral("wwwser001"), {{QStringLiteral("TestDomain"), {QStringLiteral("a"), QStringLiteral("b")}}});
    QWidget window;
    auto* picNetToService = new QLabel(QStringLiteral("请稍候..."), &window);
    auto* cmdOK = new QPushButton(QStringLiteral("确定"), &window);
    auto* cmdAlreadyOff = new QPushButton(QStringLiteral("关"), &window);
    cmdAlreadyOff->setEnabled(false);
    picNetToService->hide();
    window.show();
    bool shownDuringCall = false, disabledDuringCall = false;
    server.onPost = [&](const SoapTestServer::Received& r) {
        shownDuringCall = picNetToService->isVisible();
        disabledDuringCall = !cmdOK->isEnabled();
        const soap::Request req = soap::ParseRequest(r.body);
        return SoapTestServer::Answer{200, soap::BuildResponse(req.ns, req.method, QStringLiteral("Error_0003"))};
    };
    PleaseWait wait(picNetToService, {cmdOK, cmdAlreadyOff});
    EXPECT_EQ(ServiceCall(QStringLiteral("wwwser001"), QStringLiteral("TestDomain"), {QStringLiteral("一"), QStringLiteral("二")},
                          &wait),
              "Error_0003");
    EXPECT_TRUE(shownDuringCall);
    EXPECT_TRUE(disabledDuringCall);
    EXPECT_FALSE(picNetToService->isVisible());
    EXPECT_TRUE(cmdOK->isEnabled());
    EXPECT_FALSE(cmdAlreadyOff->isEnabled());  // what was off before stays off
    ASSERT_EQ(server.received.size(), 2);
    EXPECT_EQ(server.received[0].url.host(), "www7.sitehost.test");
    EXPECT_EQ(server.received[1].url.host(), "www7.sitehost.test");
    EXPECT_EQ(server.received[1].url.path(), "/services/wwwser001.asmx");

    // A failure hides the picture too.
    server.postAnswers = {SoapTestServer::Answer{500, soap::BuildFault(QStringLiteral("soap:Server"), QStringLiteral("x"))}};
    PleaseWait failingWait(picNetToService, {cmdOK});
    EXPECT_THROW(ServiceCall(QStringLiteral("wwwser001"), QStringLiteral("TestDomain"), {QStringLiteral("一"), QStringLiteral("二")},
                             &failingWait),
                 VbError);
    EXPECT_FALSE(picNetToService->isVisible());
    EXPECT_TRUE(cmdOK->isEnabled());
}

TEST_F(ServiceCallTest, ErrorConventionOpensTheNetworkWindowOnlyForWsdlFailures) {
    // Unreachable service: the WSDL cannot load.
    server.getAnswers = {SoapTestServer::Answer{503, "down", "text/plain"}};
    try {
        ServiceCall(QStringLiteral("wwwser001"), QStringLiteral("TestDomain"), {});
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        ReportServiceError(e);
    }
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(prompts.records().isEmpty());

    // A SOAP fault is an ordinary error.
    serve(QStringLiteral("www7"), QStringLiteral("wwwser001"), {{QStringLiteral("TestDomain"), {}}});
    server.postAnswers = {SoapTestServer::Answer{500, soap::BuildFault(QStringLiteral("soap:Server"), QStringLiteral("x"))}};
    try {
        ServiceCall(QStringLiteral("wwwser001"), QStringLiteral("TestDomain"), {});
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        ReportServiceError(e);
        ReportServiceError(e, QStringLiteral("错误[reg0001]:抱歉！遇到意外错误，请您稍后再试..."));
    }
    EXPECT_EQ(netErrors, 1);
    ASSERT_EQ(prompts.records().size(), 2);
    EXPECT_EQ(prompts.records()[0].text, "错误:抱歉！遇到意外错误，请您稍后再试...");
    EXPECT_EQ(prompts.records()[0].style, vbInformation);
    EXPECT_EQ(prompts.records()[0].title, "提示");
    EXPECT_EQ(prompts.records()[1].text, "错误[reg0001]:抱歉！遇到意外错误，请您稍后再试...");
}

TEST_F(ServiceCallTest, ResultCodes) {
    EXPECT_TRUE(ReplyStartsWith(QStringLiteral("OK_0001_20240501"), kOK_0001Stamp));
    EXPECT_FALSE(ReplyStartsWith(QStringLiteral("OK_000"), kOK_0001));
    EXPECT_EQ(ReplyPayload(QStringLiteral("OK_0001_20240501"), kOK_0001Stamp), "20240501");
    EXPECT_EQ(ReplyPayload(QStringLiteral("OK_0001|博客<///T>"), kOK_0001), "博客<///T>");
    EXPECT_EQ(ReplyPayload(QStringLiteral("{OK_0001}a{/F}"), kOK_0001Table), "a{/F}");
    EXPECT_EQ(ReplyPayload(QStringLiteral("OK_0001"), kOK_0001), "");
    EXPECT_EQ(ErrorCode(4), "Error_0004");
    EXPECT_EQ(ErrorCode(20), "Error_0020");
}

TEST(ReplyCodes, OpeningCodeAndWhatFollowsIt) {
    const auto CS = Qt::CaseSensitive;
    const auto CI = Qt::CaseInsensitive;
    struct Case {
        QString reply;
        QString code;
        Qt::CaseSensitivity cs;
        bool starts;
        QString payload;
    };
    const Case cases[] = {
        {QStringLiteral("OK_0001"), kOK_0001, CS, true, QString()},
        {QStringLiteral("OK_0001|博客"), kOK_0001, CS, true, QStringLiteral("博客")},  // separator skipped
        {QStringLiteral("OK_00012"), kOK_0001, CS, true, QString()},                 // any separator
        {QStringLiteral("OK_0001_20240501"), kOK_0001Stamp, CS, true, QStringLiteral("20240501")},
        {QStringLiteral("OK_0001"), kOK_0001Stamp, CS, false, QString()},  // shorter than the code
        {QStringLiteral("OK_000"), kOK_0001, CI, false, QString()},
        {QString(), kOK_0001, CS, false, QString()},
        {QString(), kOK_0001Table, CI, false, QString()},
        {QStringLiteral("ok_0001_20240501"), kOK_0001Stamp, CS, false, QStringLiteral("20240501")},
        {QStringLiteral("ok_0001_20240501"), kOK_0001Stamp, CI, true, QStringLiteral("20240501")},
        {QStringLiteral("{Ok_0001}a</F>"), kOK_0001Table, CI, true, QStringLiteral("a</F>")},
        {QStringLiteral("{Ok_0001}a</F>"), kOK_0001Table, CS, false, QStringLiteral("a</F>")},
        {QStringLiteral("{O\u212A_0001}a"), kOK_0001Table, CI, false, QStringLiteral("a")},  // a Kelvin sign is no K
        {QStringLiteral(" OK_0001|x"), kOK_0001, CI, false, QStringLiteral("|x")},            // no trimming
        {QStringLiteral("Error_0001"), kError_0001, CS, true, QString()},
        {QStringLiteral("Error_00010"), kError_0001, CS, true, QStringLiteral("0")},  // a prefix, not equality
        {QStringLiteral("Error_0001"), kError_0000, CI, false, QString()},
        {QStringLiteral("__Reg__OK____Area__服务器"), kRegOk, CS, true, QStringLiteral("__Area__服务器")},
        {QStringLiteral("__reg__ok__"), kRegOk, CS, false, QString()},
        {QStringLiteral("x__Reg__OK__"), kRegOk, CS, false, QStringLiteral("_")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString() + " / " + c.code.toStdString() + (c.cs == CI ? " any case" : " exact case"));
        EXPECT_EQ(ReplyStartsWith(c.reply, c.code, c.cs), c.starts);
        EXPECT_EQ(ReplyPayload(c.reply, c.code), c.payload);
    }
    // The case rule defaults to exact.
    EXPECT_FALSE(ReplyStartsWith(QStringLiteral("ok_0001"), kOK_0001));
}

TEST_F(ServiceCallTest, UploadSendsTheFileWithATrailingZeroByte) {
    serve(QStringLiteral("img7"), QStringLiteral("imgser001"), {{QStringLiteral("UploadFile01"), kUploadParams}});
    server.result = QStringLiteral("OK_0001_20240501120000");
    const QByteArray bytes("\xff\xd8\xff\xe0 jpeg \x00 body", 16);
    const QString path = picture(QStringLiteral("照片.JPG"), bytes);
    EXPECT_EQ(UploadPictureFile(path, QStringLiteral("我的相册"), QStringLiteral("0"), QStringLiteral("www"), QStringLiteral("说明")),
              "OK_0001_20240501120000");
    ASSERT_EQ(server.posts().size(), 1);
    EXPECT_EQ(server.posts()[0].url.host(), "img7.sitehost.test");
    const soap::Request r = soap::ParseRequest(server.posts()[0].body);
    EXPECT_EQ(r.method, "UploadFile01");
    QStringList values;
    for (const auto& a : r.args) values.append(a.second);
    EXPECT_EQ(values.mid(0, 8), (QStringList{QStringLiteral("zhang"), QStringLiteral("0123456789abcdef0123456789abcdef"),
                                             QStringLiteral("www7"), QStringLiteral("我的相册"), QStringLiteral("0"),
                                             QStringLiteral("www"), QStringLiteral(".jpg"), QStringLiteral("说明")}));
    bool ok = false;
    const QByteArray sent = soap::DecodeBase64(values.value(8), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sent, bytes + QByteArray(1, '\0'));
}

TEST_F(ServiceCallTest, UploadRefusalsAndFailures) {
    serve(QStringLiteral("img7"), QStringLiteral("imgser001"), {{QStringLiteral("UploadFile01"), kUploadParams}});
    const QString jpg = picture(QStringLiteral("a.jpg"), "jpeg");
    const QString jpeg = picture(QStringLiteral("b.jpeg"), "jpeg");
    const QString txt = picture(QStringLiteral("c.txt"), "text");
    QDir(root()).mkpath(QStringLiteral("d.jpg"));
    auto upload = [](const QString& path) {
        return UploadPictureFile(path, QStringLiteral("www网站素材"), QStringLiteral("1"), QStringLiteral("grb3"), QString());
    };
    EXPECT_EQ(upload(root() + QStringLiteral("/missing.jpg")), "文件不存在，上传失败！");
    EXPECT_EQ(upload(QString()), "文件不存在，上传失败！");
    EXPECT_EQ(upload(root() + QStringLiteral("/d.jpg")), "文件不存在，上传失败！");  // a folder
    EXPECT_EQ(upload(jpeg), "不支持此文件类型上传。");
    EXPECT_EQ(upload(txt), "不支持此文件类型上传。");
    EXPECT_EQ(upload(jpg + QStringLiteral(" ")), "不支持此文件类型上传。");  // exists once trimmed, type taken untrimmed
    EXPECT_TRUE(server.received.isEmpty());

    // Failures of the call come back as Error_0000, with no window and no message.
    server.postAnswers = {SoapTestServer::Answer{500, soap::BuildFault(QStringLiteral("soap:Server"), QStringLiteral("x"))}};
    EXPECT_EQ(upload(jpg), "Error_0000");
    server.getAnswers = {SoapTestServer::Answer{404, "", "text/plain"}};
    EXPECT_EQ(upload(jpg), "Error_0000");
    EXPECT_EQ(netErrors, 0);
    EXPECT_TRUE(prompts.records().isEmpty());
}
