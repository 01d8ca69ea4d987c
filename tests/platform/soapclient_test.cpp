// The SOAP client against a real HTTP server: what goes on the wire, what comes back, every way a
// request can fail, and the member's input while a call waits.
#include <gtest/gtest.h>

#include "platform/serviceconfig.h"
#include "platform/soapclient.h"
#include "support/soaptestserver.h"

#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using testsupport::SoapTestServer;
using namespace std::chrono_literals;

namespace {

class SoapClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        // This program also starts the emulator, whose configuration names it as the proxy; the
        // client here talks to the test server directly.
        saved = serviceconfig::current();
        ServiceConfig direct = saved;
        direct.proxy.clear();
        serviceconfig::set(direct, false);
        server.wsdl = SoapTestServer::makeWsdl(
            server.base() + QStringLiteral("/services/imgser001.asmx"),
            {{QStringLiteral("UploadFile01"), {QStringLiteral("UserName"), QStringLiteral("Ext"), QStringLiteral("FileData")}},
             {QStringLiteral("GetDirInfo"), {QStringLiteral("UserName")}}},
            QStringLiteral("imgser001"));
    }
    void TearDown() override { serviceconfig::set(saved, false); }
    QString wsdlUrl() const { return server.base() + QStringLiteral("/services/imgser001.asmx?WSDL"); }

    // The description of the error a call of f throws; fails the test when none is thrown.
    template <class F>
    static QString errorOf(F&& f) {
        try {
            f();
        } catch (const VbError& e) {
            EXPECT_NE(e.number(), 0);
            return e.description();
        }
        ADD_FAILURE() << "no error";
        return QString();
    }

    static quint16 closedPort() {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        const quint16 p = s.serverPort();
        s.close();
        return p;
    }

    SoapTestServer server;
    ServiceConfig saved;
};

}  // namespace

TEST_F(SoapClientTest, PostsADocumentLiteralEnvelopeAndReturnsTheChineseResult) {
    server.result = QStringLiteral("OK_0001_{/F}相册一{//R}");
    SoapClient client;
    client.MSSoapInit(wsdlUrl());
    const QByteArray file = QByteArray("\xff\xd8\x00图片", 7) + '\0';
    EXPECT_EQ(client.call(QStringLiteral("UploadFile01"), {QStringLiteral("张三"), QStringLiteral(".jpg"), file}),
              server.result);

    ASSERT_EQ(server.received.size(), 2);
    EXPECT_EQ(server.received[0].verb, "GET");
    EXPECT_EQ(server.received[0].url.path(), "/services/imgser001.asmx");
    const SoapTestServer::Received& post = server.received[1];
    EXPECT_EQ(post.verb, "POST");
    EXPECT_EQ(post.url.path(), "/services/imgser001.asmx");
    EXPECT_EQ(post.header("Content-Type"), "text/xml; charset=utf-8");
    EXPECT_EQ(post.header("SOAPAction"), "\"http://tempuri.org/UploadFile01\"");
    EXPECT_TRUE(post.body.contains("xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\""));
    EXPECT_TRUE(post.body.contains("<UploadFile01 xmlns=\"http://tempuri.org/\">"
                                   "<UserName>" + QStringLiteral("张三").toUtf8() + "</UserName>"
                                   "<Ext>.jpg</Ext>"
                                   "<FileData>" + file.toBase64() + "</FileData></UploadFile01>"))
        << post.body.constData();
    const soap::Request parsed = soap::ParseRequest(post.body);
    EXPECT_EQ(soap::DecodeBase64(parsed.arg(QStringLiteral("FileData"))), file);
    EXPECT_EQ(soap::DecodeBase64(parsed.arg(QStringLiteral("FileData"))).back(), '\0');
}

TEST_F(SoapClientTest, WsdlLoadFailuresAreWsdlReaderErrors) {
    QByteArray noAddress = soap::BuildWsdl(server.wsdl).replace("soap:address", "soap:elsewhere");
    const QList<QPair<const char*, SoapTestServer::Answer>> cases = {
        {"http error", {404, "gone", "text/plain"}},
        {"not xml", {200, "<html><body>维护中", "text/html"}},
        {"not a wsdl", {200, "<?xml version=\"1.0\"?><root/>"}},
        {"no address", {200, noAddress}},
        {"dropped", {200, soap::BuildWsdl(server.wsdl), "text/xml", 0, SoapTestServer::Answer::DropHalfway}},
    };
    for (const auto& [name, answer] : cases) {
        server.getAnswers = {answer};
        SoapClient client;
        const QString d = errorOf([&] { client.MSSoapInit(wsdlUrl()); });
        EXPECT_TRUE(d.contains(QLatin1String("WSDLReader"))) << name << ": " << d.toStdString();
        EXPECT_FALSE(client.initialised()) << name;
    }
    SoapClient client;
    EXPECT_TRUE(errorOf([&] { client.MSSoapInit(QStringLiteral("http://127.0.0.1:%1/x?WSDL").arg(closedPort())); })
                    .contains(QLatin1String("WSDLReader")));
    EXPECT_TRUE(errorOf([&] { client.MSSoapInit(QStringLiteral("not a url")); }).contains(QLatin1String("WSDLReader")));
}

TEST_F(SoapClientTest, WsdlTimeoutIsAWsdlReaderErrorAndCallTimeoutIsNot) {
    SoapClient client;
    client.setTimeout(300ms);
    server.getAnswers = {SoapTestServer::Answer{200, {}, "text/xml", 0, SoapTestServer::Answer::Never}};
    EXPECT_TRUE(errorOf([&] { client.MSSoapInit(wsdlUrl()); }).contains(QLatin1String("WSDLReader")));

    client.MSSoapInit(wsdlUrl());
    server.postAnswers = {SoapTestServer::Answer{200, {}, "text/xml", 0, SoapTestServer::Answer::Never}};
    const QString d = errorOf([&] { client.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}); });
    EXPECT_FALSE(d.contains(QLatin1String("WSDLReader"))) << d.toStdString();
    EXPECT_TRUE(d.contains(QStringLiteral("超时"))) << d.toStdString();
    // The client stays usable after a time-out.
    EXPECT_EQ(client.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}), "OK_0001");
}

TEST_F(SoapClientTest, CallFailuresAreOrdinaryErrors) {
    using A = SoapTestServer::Answer;
    const QByteArray fault = soap::BuildFault(QStringLiteral("soap:Server"), QStringLiteral("数据库不可用"));
    const QByteArray good = soap::BuildResponse(QStringLiteral("http://tempuri.org/"), QStringLiteral("GetDirInfo"),
                                                QString(4000, QLatin1Char('x')));
    struct Case {
        const char* name;
        A answer;
        QString expected;  // part of the description
    };
    const QList<Case> cases = {
        {"500 with fault", {500, fault}, QStringLiteral("数据库不可用")},
        {"200 with fault", {200, fault}, QStringLiteral("数据库不可用")},
        {"500 without fault", {500, "<html>Server Error</html>", "text/html"}, QStringLiteral("HTTP 500")},
        {"404", {404, "", "text/plain"}, QStringLiteral("HTTP 404")},
        {"not soap", {200, "<html>hello</html>", "text/html"}, QStringLiteral("SOAP")},
        {"empty", {200, ""}, QStringLiteral("XML")},
        {"dropped halfway", {200, good, "text/xml", 0, A::DropHalfway}, QString()},
    };
    SoapClient client;
    client.MSSoapInit(wsdlUrl());
    for (const Case& c : cases) {
        server.postAnswers = {c.answer};
        const QString d = errorOf([&] { client.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}); });
        EXPECT_FALSE(d.contains(QLatin1String("WSDLReader"))) << c.name;
        EXPECT_TRUE(d.contains(c.expected)) << c.name << ": " << d.toStdString();
    }
    // Unknown method and wrong argument count are refused before anything is sent.
    const qsizetype before = server.received.size();
    EXPECT_TRUE(errorOf([&] { client.call(QStringLiteral("Nope"), {}); }).contains(QLatin1String("Nope")));
    errorOf([&] { client.call(QStringLiteral("GetDirInfo"), {}); });
    EXPECT_EQ(server.received.size(), before);

    // The service address refuses connections although its WSDL loaded.
    server.wsdl.address = QStringLiteral("http://127.0.0.1:%1/soap").arg(closedPort());
    SoapClient other;
    other.MSSoapInit(wsdlUrl());
    EXPECT_FALSE(errorOf([&] { other.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}); })
                     .contains(QLatin1String("WSDLReader")));
}

TEST_F(SoapClientTest, HugeRepliesAreRefused) {
    SoapClient client;
    client.setMaxReplyBytes(64 * 1024);
    client.MSSoapInit(wsdlUrl());
    const QByteArray huge = soap::BuildResponse(QStringLiteral("http://tempuri.org/"), QStringLiteral("GetDirInfo"),
                                                QString(200 * 1024, QLatin1Char('x')));
    server.postAnswers = {SoapTestServer::Answer{200, huge}};
    EXPECT_TRUE(errorOf([&] { client.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}); })
                    .contains(QStringLiteral("过大")));
    // Just under the cap is fine.
    server.result = QString(60 * 1024, QLatin1Char('y'));
    EXPECT_EQ(client.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}).size(), 60 * 1024);
}

TEST_F(SoapClientTest, InputDuringACallIsDiscardedAndASecondCallRefused) {
    QPushButton button(QStringLiteral("按钮"));
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });

    SoapClient client;
    client.MSSoapInit(wsdlUrl());
    server.postAnswers = {SoapTestServer::Answer{200, soap::BuildResponse(QStringLiteral("http://tempuri.org/"),
                                                                          QStringLiteral("GetDirInfo"), QStringLiteral("完成")),
                                                 "text/xml; charset=utf-8", 400}};
    bool timerRan = false;
    QString secondCall;
    QTimer::singleShot(50, [&] {
        timerRan = true;
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::keyClick(&button, Qt::Key_Space);
        SoapClient second;
        secondCall = errorOf([&] { second.MSSoapInit(wsdlUrl()); });
    });
    EXPECT_EQ(client.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}), QStringLiteral("完成"));
    EXPECT_TRUE(timerRan);  // timers still run while a call waits
    EXPECT_FALSE(secondCall.isEmpty());
    EXPECT_FALSE(secondCall.contains(QLatin1String("WSDLReader")));
    QTest::qWait(50);
    EXPECT_EQ(clicks, 0);  // discarded, not replayed afterwards
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);  // and input works again after the call
}

// The answer as a server may frame it (sized, in chunks, up to the close, after an interim 100),
// read whole; one cut short is a failed connection. The request arrives whole, sized.
TEST_F(SoapClientTest, ReadsEveryFramingOfTheAnswerAndSendsTheRequestWhole) {
    const QByteArray envelope = soap::BuildResponse(QStringLiteral("http://tempuri.org/"), QStringLiteral("GetDirInfo"),
                                                    QStringLiteral("完成") + QString(3000, QLatin1Char('z')));
    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\n";
    const QByteArray sized = head + "Content-Length: " + QByteArray::number(envelope.size()) + "\r\n\r\n" + envelope;
    QByteArray chunked = head + "Transfer-Encoding: chunked\r\n\r\n";
    for (qsizetype at = 0; at < envelope.size(); at += 1000) {
        const QByteArray piece = envelope.mid(at, 1000);
        chunked += QByteArray::number(piece.size(), 16) + ";ext=1\r\n" + piece + "\r\n";
    }
    chunked += "0\r\n\r\n";
    struct Case {
        const char* name;
        QByteArray answer;
        bool close;  // the server closes after the answer
        bool whole;  // the client reads the result
    };
    const QList<Case> cases = {
        {"sized", sized, false, true},
        {"chunked", chunked, false, true},
        {"to the close", head + "\r\n" + envelope, true, true},
        {"after 100 Continue", "HTTP/1.1 100 Continue\r\n\r\n" + sized, false, true},
        {"cut short", head + "Content-Length: " + QByteArray::number(envelope.size() + 100) + "\r\n\r\n" + envelope,
         true, false},
        {"no HTTP", "hello\r\n\r\n", true, false},
    };
    QTcpServer raw;
    ASSERT_TRUE(raw.listen(QHostAddress::LocalHost, 0));
    QByteArray request;
    qsizetype current = 0;
    QObject::connect(&raw, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = raw.nextPendingConnection();
        request.clear();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
            request += socket->readAll();
            const qsizetype end = request.indexOf("\r\n\r\n");
            const qsizetype length = request.indexOf("Content-Length: ");
            if (end < 0 || length < 0) return;
            const qint64 size = request.mid(length + 16, request.indexOf("\r\n", length) - length - 16).toLongLong();
            if (request.size() - end - 4 < size) return;
            const Case& c = cases[current];
            // In pieces, as a network delivers it.
            for (qsizetype at = 0; at < c.answer.size(); at += 700) {
                socket->write(c.answer.mid(at, 700));
                socket->flush();
            }
            if (c.close) socket->disconnectFromHost();
        });
    });
    server.wsdl.address = QStringLiteral("http://127.0.0.1:%1/soap").arg(raw.serverPort());
    SoapClient client;
    client.MSSoapInit(wsdlUrl());
    for (current = 0; current < cases.size(); ++current) {
        const Case& c = cases[current];
        if (c.whole) {
            EXPECT_EQ(client.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}),
                      QStringLiteral("完成") + QString(3000, QLatin1Char('z')))
                << c.name;
        } else {
            EXPECT_TRUE(errorOf([&] { client.call(QStringLiteral("GetDirInfo"), {QStringLiteral("a")}); })
                            .contains(QStringLiteral("连接失败")))
                << c.name;
        }
        const qsizetype end = request.indexOf("\r\n\r\n");
        ASSERT_GT(end, 0) << c.name;
        EXPECT_TRUE(request.startsWith("POST /soap HTTP/1.1\r\n")) << c.name;
        const soap::Request parsed = soap::ParseRequest(request.mid(end + 4));
        EXPECT_EQ(parsed.arg(QStringLiteral("UserName")), QStringLiteral("a")) << c.name;
    }
}
