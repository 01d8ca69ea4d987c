// SOAP envelopes and WSDL documents: round trips, the ASP.NET forms we must read, malformed input.
#include <gtest/gtest.h>

#include "platform/soapmessage.h"

#include <QFile>
#include <QString>

#include <cstdio>

namespace {

soap::Wsdl sampleWsdl() {
    soap::Wsdl w;
    w.targetNamespace = QStringLiteral("http://tempuri.org/");
    w.serviceName = QStringLiteral("imgser001");
    w.address = QStringLiteral("http://img7.sitehost.test/services/imgser001.asmx");
    soap::WsdlOperation up;
    up.name = QStringLiteral("UploadFile01");
    for (const char* n : {"UserName", "Psw", "Prefix", "Dir", "NameMode", "RemoteName", "Ext", "Memo"})
        up.inputs.append({QString::fromLatin1(n), QStringLiteral("string")});
    up.inputs.append({QStringLiteral("FileData"), QStringLiteral("base64Binary")});
    soap::WsdlOperation none;
    none.name = QStringLiteral("Ping");
    w.operations = {up, none};
    return w;
}

// What ASP.NET publishes: SOAP 1.1 and 1.2 bindings, HTTP GET binding, a port per binding.
const char* kAspNetWsdl = R"(<?xml version="1.0" encoding="utf-8"?>
<wsdl:definitions xmlns:soap="http://schemas.xmlsoap.org/wsdl/soap/" xmlns:tm="http://microsoft.com/wsdl/mime/textMatching/" xmlns:soapenc="http://schemas.xmlsoap.org/soap/encoding/" xmlns:mime="http://schemas.xmlsoap.org/wsdl/mime/" xmlns:tns="http://tempuri.org/" xmlns:s="http://www.w3.org/2001/XMLSchema" xmlns:soap12="http://schemas.xmlsoap.org/wsdl/soap12/" xmlns:http="http://schemas.xmlsoap.org/wsdl/http/" targetNamespace="http://tempuri.org/" xmlns:wsdl="http://schemas.xmlsoap.org/wsdl/">
  <wsdl:types>
    <s:schema elementFormDefault="qualified" targetNamespace="http://tempuri.org/">
      <s:element name="EditPsw">
        <s:complexType>
          <s:sequence>
            <s:element minOccurs="0" maxOccurs="1" name="UserName" type="s:string" />
            <s:element minOccurs="0" maxOccurs="1" name="OldPsw" type="s:string" />
            <s:element minOccurs="0" maxOccurs="1" name="NewPsw" type="s:string" />
          </s:sequence>
        </s:complexType>
      </s:element>
      <s:element name="EditPswResponse">
        <s:complexType><s:sequence><s:element minOccurs="0" maxOccurs="1" name="EditPswResult" type="s:string" /></s:sequence></s:complexType>
      </s:element>
      <s:element name="string" nillable="true" type="s:string" />
    </s:schema>
  </wsdl:types>
  <wsdl:message name="EditPswSoapIn"><wsdl:part name="parameters" element="tns:EditPsw" /></wsdl:message>
  <wsdl:message name="EditPswSoapOut"><wsdl:part name="parameters" element="tns:EditPswResponse" /></wsdl:message>
  <wsdl:message name="EditPswHttpGetIn"><wsdl:part name="UserName" type="s:string" /></wsdl:message>
  <wsdl:portType name="webser001Soap">
    <wsdl:operation name="EditPsw"><wsdl:input message="tns:EditPswSoapIn" /><wsdl:output message="tns:EditPswSoapOut" /></wsdl:operation>
  </wsdl:portType>
  <wsdl:portType name="webser001HttpGet">
    <wsdl:operation name="EditPsw"><wsdl:input message="tns:EditPswHttpGetIn" /></wsdl:operation>
  </wsdl:portType>
  <wsdl:binding name="webser001Soap12" type="tns:webser001Soap">
    <soap12:binding transport="http://schemas.xmlsoap.org/soap/http" />
    <wsdl:operation name="EditPsw"><soap12:operation soapAction="http://tempuri.org/EditPsw12" style="document" /></wsdl:operation>
  </wsdl:binding>
  <wsdl:binding name="webser001Soap" type="tns:webser001Soap">
    <soap:binding transport="http://schemas.xmlsoap.org/soap/http" />
    <wsdl:operation name="EditPsw">
      <soap:operation soapAction="http://tempuri.org/EditPsw" style="document" />
      <wsdl:input><soap:body use="literal" /></wsdl:input>
      <wsdl:output><soap:body use="literal" /></wsdl:output>
    </wsdl:operation>
  </wsdl:binding>
  <wsdl:binding name="webser001HttpGet" type="tns:webser001HttpGet">
    <http:binding verb="GET" />
  </wsdl:binding>
  <wsdl:service name="webser001">
    <wsdl:port name="webser001HttpGet" binding="tns:webser001HttpGet"><http:address location="http://web7.example/get" /></wsdl:port>
    <wsdl:port name="webser001Soap12" binding="tns:webser001Soap12"><soap12:address location="http://web7.example/soap12" /></wsdl:port>
    <wsdl:port name="webser001Soap" binding="tns:webser001Soap"><soap:address location="http://web7.example/services/webser001.asmx" /></wsdl:port>
  </wsdl:service>
</wsdl:definitions>)";

}  // namespace

TEST(SoapWsdl, BuiltDocumentReadsBackWithEveryOperationAndParameterOrder) {
    const soap::Wsdl w = soap::ParseWsdl(soap::BuildWsdl(sampleWsdl()));
    EXPECT_EQ(w.targetNamespace, "http://tempuri.org/");
    EXPECT_EQ(w.serviceName, "imgser001");
    EXPECT_EQ(w.address, "http://img7.sitehost.test/services/imgser001.asmx");
    ASSERT_EQ(w.operations.size(), 2);
    const soap::WsdlOperation* up = w.operation(QStringLiteral("uploadfile01"));  // case-insensitive fallback
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->soapAction, "http://tempuri.org/UploadFile01");
    EXPECT_EQ(up->requestNamespace, "http://tempuri.org/");
    ASSERT_EQ(up->inputs.size(), 9);
    EXPECT_EQ(up->inputs[0].name, "UserName");
    EXPECT_EQ(up->inputs[7].name, "Memo");
    EXPECT_EQ(up->inputs[8].name, "FileData");
    EXPECT_EQ(up->inputs[8].type, "base64Binary");
    EXPECT_TRUE(w.operation(QStringLiteral("Ping"))->inputs.isEmpty());
    EXPECT_EQ(w.operation(QStringLiteral("Missing")), nullptr);
}

TEST(SoapWsdl, ReadsTheSoap11PortOfAnAspNetDocument) {
    const soap::Wsdl w = soap::ParseWsdl(QByteArray(kAspNetWsdl));
    EXPECT_EQ(w.address, "http://web7.example/services/webser001.asmx");
    ASSERT_EQ(w.operations.size(), 1);
    EXPECT_EQ(w.operations[0].soapAction, "http://tempuri.org/EditPsw");
    ASSERT_EQ(w.operations[0].inputs.size(), 3);
    EXPECT_EQ(w.operations[0].inputs[2].name, "NewPsw");
}

TEST(SoapWsdl, MalformedDocumentsAreErrors) {
    const soap::Wsdl good = sampleWsdl();
    QByteArray noAddress = QByteArray(kAspNetWsdl).replace("<soap:address", "<soap:nowhere");
    QByteArray noElement = QByteArray(kAspNetWsdl).replace("element=\"tns:EditPsw\"", "element=\"tns:Gone\"");
    QByteArray deep;
    for (int i = 0; i < 10000; ++i) deep += "<a>";
    const QList<QByteArray> cases = {
        QByteArray(),
        QByteArray("not xml at all"),
        QByteArray("<html><body>404</body></html>"),
        QByteArray(kAspNetWsdl).left(900),  // cut off halfway
        noAddress,
        noElement,
        deep,
        QByteArray("<!DOCTYPE x [<!ENTITY a \"aaaa\">]><wsdl:definitions xmlns:wsdl=\"http://schemas.xmlsoap.org/wsdl/\">&a;</wsdl:definitions>"),
    };
    for (const QByteArray& bytes : cases) {
        try {
            soap::ParseWsdl(bytes);
            ADD_FAILURE() << "accepted: " << bytes.left(80).constData();
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), soap::kErrorNumber);
            EXPECT_FALSE(e.description().isEmpty());
        }
    }
}

TEST(SoapEnvelope, RequestRoundTripKeepsOrderTextAndBytes) {
    const QString text = QStringLiteral("中文 <&> \"引号\"\r第二行\r\n第三行\t😀");
    const QByteArray bytes("\x00\x01\xff\xfe" "abc\x00", 8);
    const QByteArray wire = soap::BuildRequest(QStringLiteral("http://tempuri.org/"), QStringLiteral("UploadFile01"),
                                               {soap::Arg::Text(QStringLiteral("B"), text),
                                                soap::Arg::Bytes(QStringLiteral("A"), bytes),
                                                soap::Arg::Text(QStringLiteral("C"), QString())});
    EXPECT_TRUE(wire.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    EXPECT_TRUE(wire.contains("<UploadFile01 xmlns=\"http://tempuri.org/\">"));
    EXPECT_TRUE(wire.contains("<A>" + bytes.toBase64() + "</A>"));
    const soap::Request r = soap::ParseRequest(wire);
    EXPECT_EQ(r.method, "UploadFile01");
    EXPECT_EQ(r.ns, "http://tempuri.org/");
    ASSERT_EQ(r.args.size(), 3);
    EXPECT_EQ(r.args[0].first, "B");
    EXPECT_EQ(r.args[0].second, text);  // the lone "\r" survives
    bool ok = false;
    EXPECT_EQ(soap::DecodeBase64(r.arg(QStringLiteral("A")), &ok), bytes);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(r.has(QStringLiteral("C")));
    EXPECT_EQ(r.arg(QStringLiteral("C")), QString());
}

TEST(SoapEnvelope, ResponseAndFaultRoundTrip) {
    const QString result = QStringLiteral("OK_0001_{/F}中文{//R}\r\n");
    soap::Response r = soap::ParseResponse(
        soap::BuildResponse(QStringLiteral("http://tempuri.org/"), QStringLiteral("GetDirInfo"), result),
        QStringLiteral("GetDirInfo"));
    EXPECT_FALSE(r.isFault);
    EXPECT_EQ(r.result, result);

    r = soap::ParseResponse(soap::BuildFault(QStringLiteral("soap:Server"), QStringLiteral("服务器内部错误"),
                                             QStringLiteral("细节")));
    EXPECT_TRUE(r.isFault);
    EXPECT_EQ(r.fault.code, "soap:Server");
    EXPECT_EQ(r.fault.string, "服务器内部错误");
    EXPECT_EQ(r.fault.detail, "细节");
}

TEST(SoapEnvelope, ReadsOtherServersForms) {
    // Other prefixes, a header, a nil result, an absent result, CDATA.
    const char* nil = R"(<?xml version="1.0"?><e:Envelope xmlns:e="http://schemas.xmlsoap.org/soap/envelope/"
        xmlns:i="http://www.w3.org/2001/XMLSchema-instance"><e:Header><x/></e:Header><e:Body>
        <m:TestResponse xmlns:m="urn:x"><m:TestResult i:nil="true"/></m:TestResponse></e:Body></e:Envelope>)";
    EXPECT_EQ(soap::ParseResponse(nil, QStringLiteral("Test")).result, QString());
    const char* absent = R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>
        <TestResponse xmlns="urn:x" /></soap:Body></soap:Envelope>)";
    EXPECT_EQ(soap::ParseResponse(absent, QStringLiteral("Test")).result, QString());
    const char* cdata = R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>
        <TestResponse xmlns="urn:x"><TestResult><![CDATA[<b>粗</b>]]></TestResult></TestResponse></soap:Body></soap:Envelope>)";
    EXPECT_EQ(soap::ParseResponse(cdata, QStringLiteral("Test")).result, "<b>粗</b>");
}

TEST(SoapEnvelope, MalformedEnvelopesAndUnwritableTextsAreErrors) {
    const QList<QByteArray> replies = {
        QByteArray(),
        QByteArray("<html>Server Error</html>"),
        QByteArray("<Envelope xmlns=\"http://www.w3.org/2003/05/soap-envelope\"><Body/></Envelope>"),  // SOAP 1.2
        QByteArray("<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"></soap:Envelope>"),
        QByteArray("<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body/></soap:Envelope>"),
        soap::BuildResponse(QStringLiteral("urn:x"), QStringLiteral("Other"), QStringLiteral("x")),  // wrong method
        soap::BuildResponse(QStringLiteral("urn:x"), QStringLiteral("Test"), QStringLiteral("x")).chopped(20),
    };
    for (const QByteArray& bytes : replies)
        EXPECT_THROW(soap::ParseResponse(bytes, QStringLiteral("Test")), VbError) << bytes.constData();
    EXPECT_THROW(soap::ParseRequest("<a/>"), VbError);
    EXPECT_THROW(soap::BuildRequest(QStringLiteral("urn:x"), QStringLiteral("T"),
                                    {soap::Arg::Text(QStringLiteral("a"), QString(QChar(0x01)))}),
                 VbError);
    EXPECT_THROW(soap::BuildRequest(QStringLiteral("urn:x"), QStringLiteral("T"),
                                    {soap::Arg::Text(QStringLiteral("a"), QString(QChar(0xD800)))}),
                 VbError);
    EXPECT_THROW(soap::BuildRequest(QStringLiteral("urn:x"), QStringLiteral("a b"), {}), VbError);
    bool ok = true;
    soap::DecodeBase64(QStringLiteral("!!!"), &ok);
    EXPECT_FALSE(ok);
}

TEST(SoapEnvelope, DocumentsOfMoreElementsThanAnyRealReplyAreRefused) {
    // A reply that is nothing but elements: below the limit (attributes counting as elements) it
    // parses, above it is the usual error.
    auto reply = [](int elements) {
        QByteArray inner;
        inner.reserve(elements * 10);
        for (int i = 0; i < elements; ++i) inner += "<r a=\"1\"/>";
        return "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
               "<TestResponse xmlns=\"urn:x\"><TestResult>ok" + inner + "</TestResult></TestResponse></soap:Body></soap:Envelope>";
    };
    EXPECT_EQ(soap::ParseResponse(reply(90000), QStringLiteral("Test")).result, QStringLiteral("ok"));
    try {
        soap::ParseResponse(reply(110000), QStringLiteral("Test"));
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), soap::kErrorNumber);
        EXPECT_TRUE(e.description().contains(QStringLiteral("元素过多"))) << e.description().toStdString();
    }
    // Only assignments inside a tag count towards its attributes: not those in text, quoted values,
    // comments or CDATA.
    const QByteArray many = QByteArray("a=b ").repeated(400);
    const QByteArray quiet = "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                             "<TestResponse xmlns=\"urn:x\"><TestResult q=\"" + many + "\">" + many + "<!--<r " + many +
                             "-->" + "<![CDATA[<r " + many + "]]></TestResult></TestResponse></soap:Body></soap:Envelope>";
    EXPECT_TRUE(soap::ParseResponse(quiet, QStringLiteral("Test")).result.startsWith(QStringLiteral("a=b")));
    QByteArray crowded = "<r";
    for (int i = 0; i < 300; ++i) crowded += " a" + QByteArray::number(i) + "='1'";
    try {
        soap::ParseResponse(crowded + "/>", QStringLiteral("Test"));
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), soap::kErrorNumber);
        EXPECT_TRUE(e.description().contains(QStringLiteral("属性过多"))) << e.description().toStdString();
    }
}

// The process's resident memory in kilobytes from /proc/self/status: the line "VmRSS" now, or
// "VmHWM", the peak since the last reset of it (writing "5" to /proc/self/clear_refs).
namespace {
qint64 ResidentKb(const char* line) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : status.readAll().split('\n'))
        if (l.startsWith(line)) return l.mid(qstrlen(line) + 1).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

bool ResetPeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}
}  // namespace

TEST(SoapEnvelope, HostileRepliesOfTheWholeSizeLimitCostLittleMemory) {
    if (!ResetPeakMemory()) GTEST_SKIP() << "the kernel keeps no resettable peak here";
    constexpr qsizetype kLimit = 32 * 1024 * 1024;  // the client's largest reply
    auto envelope = [&](const QByteArray& open, const QByteArray& unit, const QByteArray& close) {
        const QByteArray head = "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                                "<TestResponse xmlns=\"urn:x\"><TestResult>" + open;
        const QByteArray tail = close + "</TestResult></TestResponse></soap:Body></soap:Envelope>";
        QByteArray doc = head;
        doc.reserve(kLimit);
        while (doc.size() + unit.size() + tail.size() < kLimit) doc += unit;
        return doc + tail;
    };
    QByteArray crowded = "<r";
    for (int i = 0; crowded.size() < kLimit - 100; ++i) crowded += " a" + QByteArray::number(i) + "=\"\"";
    const struct {
        const char* what;
        QByteArray reply;
        bool parses;
    } cases[] = {
        {"elements", envelope("", "<r/>", ""), false},
        {"elements with attributes", envelope("", "<r a=\"1\" b=\"2\" c=\"3\" d=\"4\"/>", ""), false},
        {"one element of every attribute", envelope("", "", crowded + "/>"), false},
        {"nested elements", envelope("", "<r><s/></r>", ""), false},
        {"text", envelope("", "文本&amp;", ""), true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ResetPeakMemory());
        const qint64 before = ResidentKb("VmRSS:");
        bool parsed = false;
        try {
            parsed = !soap::ParseResponse(c.reply, QStringLiteral("Test")).result.isEmpty();
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), soap::kErrorNumber) << c.what;
        }
        EXPECT_EQ(parsed, c.parses) << c.what;
        const qint64 grownMb = (ResidentKb("VmHWM:") - before) / 1024;
        EXPECT_LT(grownMb, 300) << c.what;
        std::printf("%s: %lld MB at the peak\n", c.what, static_cast<long long>(grownMb));
    }
}

TEST(SoapEnvelope, XmlSafeTextReplacesOnlyWhatXmlCannotCarry) {
    const struct {
        QString in, out;
    } cases[] = {
        {QStringLiteral("a\u0001b"), QStringLiteral("a\uFFFDb")},
        {QStringLiteral("\t\r\n中文<&>"), QStringLiteral("\t\r\n中文<&>")},
        {QString(QChar(0xD800)) + QLatin1Char('x'), QStringLiteral("\uFFFDx")},         // lone surrogate
        {QStringLiteral("\U0001F600"), QStringLiteral("\U0001F600")},                  // a pair stays
        {QString(QChar(0xFFFE)), QStringLiteral("\uFFFD")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(soap::XmlSafeText(c.in), c.out);
        EXPECT_NO_THROW(soap::BuildFault(QStringLiteral("soap:Client"), soap::XmlSafeText(c.in)));
    }
}

TEST(SoapEnvelope, CutAndCorruptedDocumentsNeverCrash) {
    // Every prefix and a run of seeded byte flips of a WSDL and of an envelope: each parses or throws
    // VbError, nothing else.
    const QByteArray wsdl = soap::BuildWsdl(sampleWsdl());
    const QByteArray reply = soap::BuildResponse(QStringLiteral("http://tempuri.org/"), QStringLiteral("Test"),
                                                 QStringLiteral("中文<&>\r\n"));
    auto survives = [](const auto& parse, const QByteArray& bytes) {
        try {
            parse(bytes);
        } catch (const VbError&) {
        }
    };
    auto wsdlParse = [](const QByteArray& b) { soap::ParseWsdl(b); };
    auto replyParse = [](const QByteArray& b) { soap::ParseResponse(b, QStringLiteral("Test")); };
    auto requestParse = [](const QByteArray& b) { soap::ParseRequest(b); };
    for (qsizetype n = 0; n < wsdl.size(); n += 7) survives(wsdlParse, wsdl.left(n));
    for (qsizetype n = 0; n < reply.size(); ++n) {
        survives(replyParse, reply.left(n));
        survives(requestParse, reply.left(n));
    }
    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < 3000; ++i) {
        QByteArray w = wsdl, r = reply;
        for (int k = 0; k < 3; ++k) {
            w[qsizetype(next() % quint32(w.size()))] = char(next() >> 8);
            r[qsizetype(next() % quint32(r.size()))] = char(next() >> 8);
        }
        survives(wsdlParse, w);
        survives(replyParse, r);
        survives(requestParse, r);
    }
    SUCCEED();
}
