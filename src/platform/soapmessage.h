#pragma once
// SOAP 1.1 document/literal ("wrapped") messages and the WSDL 1.1 model, as ASP.NET web services
// publish them. Pure data and XML: no network, no widgets; the client and the service emulator
// share it.
//
// Wire forms (namespace N, method M):
//   request   <soap:Envelope><soap:Body><M xmlns="N"><arg1>..</arg1>..</M></soap:Body></soap:Envelope>
//   response  ..<soap:Body><MResponse xmlns="N"><MResult>text</MResult></MResponse>..
//   fault     ..<soap:Body><soap:Fault><faultcode>soap:Server</faultcode><faultstring>..</faultstring>..
// Texts are xsd:string, byte arrays xsd:base64Binary; documents are UTF-8.
//
// Every parser here throws VbError (number soap::kErrorNumber) on malformed input and never hangs:
// documents are read with a streaming reader, element depth and size are bounded, DTDs refused.
#include "platform/vberror.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <utility>

namespace soap {

inline constexpr int kErrorNumber = -2147467259;  // the usual "unspecified failure" number
inline constexpr const char* kEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr const char* kXsdNs = "http://www.w3.org/2001/XMLSchema";

// ---- WSDL model

struct WsdlParam {
    QString name;
    QString type;  // local name of the schema type: "string", "base64Binary", "int", ...
};

struct WsdlOperation {
    QString name;                 // method name, e.g. "LoginSoftV2"
    QString soapAction;           // e.g. "http://tempuri.org/LoginSoftV2"
    QString requestNamespace;     // namespace of the wrapper element (the schema's target namespace)
    QList<WsdlParam> inputs;      // in wire order
};

struct Wsdl {
    QString targetNamespace;      // e.g. "http://tempuri.org/"
    QString serviceName;          // e.g. "webser001"
    QString address;              // SOAP 1.1 endpoint address (soap:address location)
    QList<WsdlOperation> operations;

    // The operation of that name (exact case first, then ignoring case), or null.
    const WsdlOperation* operation(const QString& name) const;
};

// Reads a WSDL 1.1 document: the target namespace, the SOAP 1.1 port's address and every operation
// of its binding with soapAction and ordered input parameters (SOAP 1.2, HTTP GET/POST bindings are
// ignored). Throws VbError when the bytes are not XML, not a WSDL, or lack a SOAP 1.1 binding or its
// address. An operation whose input parameters cannot be resolved is an error too.
Wsdl ParseWsdl(const QByteArray& bytes);

// Writes a complete WSDL 1.1 document/literal-wrapped document (types, messages, portType, SOAP 1.1
// binding, service) that standard SOAP clients accept. Each operation returns one xsd:string
// "<name>Result". An empty requestNamespace of an operation means the target namespace; an empty
// soapAction means targetNamespace + name (with a "/" between when the namespace lacks one).
QByteArray BuildWsdl(const Wsdl& wsdl);

// soapAction as ASP.NET forms it: namespace + method ("http://tempuri.org/" + "M").
QString DefaultSoapAction(const QString& ns, const QString& method);

// ---- Messages

// One argument of a call: a text (xsd:string) or a byte array (xsd:base64Binary).
struct Arg {
    QString name;
    QString text;
    QByteArray bytes;
    bool binary = false;

    static Arg Text(QString name, QString value) { return Arg{std::move(name), std::move(value), {}, false}; }
    static Arg Bytes(QString name, QByteArray value) { return Arg{std::move(name), {}, std::move(value), true}; }
};

// A parsed request: the wrapper element and its children in document order, each as its text
// content (a base64Binary argument arrives as its base64 text; decode it with DecodeBase64).
struct Request {
    QString method;
    QString ns;
    QList<QPair<QString, QString>> args;   // (name, text)

    // Text of the first argument of that name, or the empty text.
    QString arg(const QString& name) const;
    bool has(const QString& name) const;
};

struct Fault {
    QString code;    // e.g. "soap:Server" (as written, prefix kept)
    QString string;  // faultstring
    QString detail;  // text content of <detail>, may be empty
};

// A parsed response: either a result text or a fault.
struct Response {
    bool isFault = false;
    QString result;     // text of <MethodResult>; empty when the element is absent or nil
    Fault fault;
};

// Request envelope for method in namespace ns with args in order. Throws VbError when a text holds a
// character XML 1.0 cannot carry (control characters other than tab, line feed and carriage return,
// lone surrogates).
QByteArray BuildRequest(const QString& ns, const QString& method, const QList<Arg>& args);
// Parses a request envelope. Throws VbError on anything that is not a SOAP 1.1 envelope with one
// wrapper element in its body.
Request ParseRequest(const QByteArray& bytes);

// Response envelope <MResponse xmlns="ns"><MResult>result</MResult></MResponse>. Throws like BuildRequest.
QByteArray BuildResponse(const QString& ns, const QString& method, const QString& result);
// SOAP 1.1 fault envelope. code is written as given ("soap:Server" and "soap:Client" are the usual).
QByteArray BuildFault(const QString& code, const QString& string, const QString& detail = QString());
// Parses a response or fault envelope. method, when given, names the expected "<method>Result"
// element; otherwise the first child element of the wrapper is the result. Throws VbError when the
// bytes are not a SOAP envelope.
Response ParseResponse(const QByteArray& bytes, const QString& method = QString());

// Strict base64 decoding (whitespace allowed between characters); ok becomes false on bad input.
QByteArray DecodeBase64(const QString& text, bool* ok = nullptr);

// The text with every character XML 1.0 cannot carry (control characters, lone surrogates) replaced
// by U+FFFD, for texts that must go out whatever they hold (faults, replies of the emulator).
QString XmlSafeText(const QString& text);

// Text escaped for XML character data or attribute values: & < > " and carriage return (kept as
// "&#13;" so it survives line-end normalisation). Throws VbError on characters XML cannot carry.
QString EscapeXml(const QString& text);

}  // namespace soap
