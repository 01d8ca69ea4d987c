#include "platform/soapmessage.h"

#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstring>
#include <memory>
#include <vector>

namespace soap {

namespace {

const QString kWsdlNs = QStringLiteral("http://schemas.xmlsoap.org/wsdl/");
const QString kWsdlSoapNs = QStringLiteral("http://schemas.xmlsoap.org/wsdl/soap/");
const QString kSoapHttpTransport = QStringLiteral("http://schemas.xmlsoap.org/soap/http");
constexpr int kMaxDepth = 64;
// Far above any real reply or WSDL (a few hundred elements), far below what memory would bear.
// Attributes count too: each is kept like an element.
constexpr qsizetype kMaxElements = 200000;
// The stream reader compares every attribute of an element with every other one, so thousands on
// one element would hold the caller for minutes; real elements carry a handful.
constexpr int kMaxAttributesPerElement = 256;

[[noreturn]] void fail(const QString& what) { throw VbError(kErrorNumber, what); }

// A small element tree read with a streaming reader: bounded depth and element count, no DTD, no
// external anything. Nodes are kept small, since a hostile document may be nothing but elements:
// names and namespaces are shared strings, attributes are kept only where an element has some.
struct Attr {
    QString ns;
    QString name;
    QString value;
};

struct Node {
    QString ns;     // namespace URI
    QString name;   // local name
    QString text;   // character data directly inside this element
    std::unique_ptr<std::vector<Attr>> attrs;  // null: no attributes
    std::vector<std::unique_ptr<Node>> children;

    QString attrValue(const QString& nsUri, const QString& local) const {
        if (attrs)
            for (const Attr& a : *attrs)
                if (a.name == local && a.ns == nsUri) return a.value;
        return QString();
    }
    QString attr(const QString& local) const { return attrValue(QString(), local); }
    // First child element with that local name (and namespace, when given).
    const Node* child(const QString& local, const QString& nsUri = QString()) const {
        for (const auto& c : children)
            if (c->name == local && (nsUri.isEmpty() || c->ns == nsUri)) return c.get();
        return nullptr;
    }
    QList<const Node*> all(const QString& local, const QString& nsUri = QString()) const {
        QList<const Node*> out;
        for (const auto& c : children)
            if (c->name == local && (nsUri.isEmpty() || c->ns == nsUri)) out.append(c.get());
        return out;
    }
    bool isNil() const {
        const QString nil = attrValue(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("nil"));
        return nil == QLatin1String("true") || nil == QLatin1String("1");
    }
};

// Hands out one shared copy of each distinct name, so a thousand <row> elements hold one "row".
class NamePool {
public:
    QString get(QStringView s) {
        for (const QString& k : m_names)
            if (k == s) return k;
        QString k = s.toString();
        if (m_names.size() < kPoolSize) m_names.push_back(k);
        return k;
    }

private:
    static constexpr std::size_t kPoolSize = 64;
    std::vector<QString> m_names;
};

// Looks through the markup before the reader does: true when some tag holds more attribute
// assignments than kMaxAttributesPerElement. Comments, CDATA sections, processing instructions and
// declarations are skipped whole; quoted values may hold anything.
bool HasCrowdedTag(const QByteArray& bytes) {
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    auto skipPast = [&](const char* from, const char* closing) {
        const QByteArrayView rest(from, end - from);
        const qsizetype at = rest.indexOf(QByteArrayView(closing));
        return at < 0 ? end : from + at + qstrlen(closing);
    };
    while (p < end) {
        p = static_cast<const char*>(std::memchr(p, '<', std::size_t(end - p)));
        if (!p) return false;
        ++p;
        const QByteArrayView rest(p, end - p);
        if (rest.startsWith("!--")) {
            p = skipPast(p + 3, "-->");
            continue;
        }
        if (rest.startsWith("![CDATA[")) {
            p = skipPast(p + 8, "]]>");
            continue;
        }
        if (rest.startsWith("?")) {
            p = skipPast(p + 1, "?>");
            continue;
        }
        int assignments = 0;
        char quote = 0;
        for (; p < end; ++p) {
            const char c = *p;
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '=') {
                if (++assignments > kMaxAttributesPerElement) return true;
            } else if (c == '>') {
                ++p;
                break;
            }
        }
    }
    return false;
}

std::unique_ptr<Node> readTree(const QByteArray& bytes, const QString& what) {
    if (HasCrowdedTag(bytes)) fail(what + QStringLiteral("的元素属性过多"));
    QXmlStreamReader r(bytes);
    std::unique_ptr<Node> root;
    std::vector<Node*> stack;
    NamePool pool;
    qsizetype elements = 0;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::DTD:
            fail(what + QStringLiteral("含有DTD，不予处理"));
        case QXmlStreamReader::StartElement: {
            if (static_cast<int>(stack.size()) >= kMaxDepth) fail(what + QStringLiteral("的元素嵌套过深"));
            if (++elements > kMaxElements) fail(what + QStringLiteral("的元素过多"));
            auto n = std::make_unique<Node>();
            n->ns = pool.get(r.namespaceUri());
            n->name = pool.get(r.name());
            const QXmlStreamAttributes attributes = r.attributes();
            elements += attributes.size();
            if (elements > kMaxElements) fail(what + QStringLiteral("的元素过多"));
            if (!attributes.isEmpty()) {
                n->attrs = std::make_unique<std::vector<Attr>>();
                n->attrs->reserve(std::size_t(attributes.size()));
                for (const QXmlStreamAttribute& a : attributes)
                    n->attrs->push_back(Attr{pool.get(a.namespaceUri()), pool.get(a.name()), a.value().toString()});
            }
            Node* raw = n.get();
            if (stack.empty()) {
                root = std::move(n);
            } else {
                stack.back()->children.push_back(std::move(n));
            }
            stack.push_back(raw);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!stack.empty()) {
                stack.back()->children.shrink_to_fit();
                stack.pop_back();
            }
            break;
        case QXmlStreamReader::Characters:
            if (!stack.empty()) stack.back()->text += r.text();
            break;
        case QXmlStreamReader::EntityReference:
            fail(what + QStringLiteral("含有无法解析的实体引用"));
        default:
            break;
        }
    }
    if (r.hasError()) {
        // The reader's own words are English internals: they go to the log, the message says where.
        qWarning("tavolin: XML reader: line %lld: %s", static_cast<long long>(r.lineNumber()), qUtf8Printable(r.errorString()));
        fail(what + QStringLiteral("不是合格的XML文档（第%1行）").arg(r.lineNumber()));
    }
    if (!root) fail(what + QStringLiteral("不是合格的XML文档：空文档"));
    return root;
}

QString localPart(const QString& qname) {
    const qsizetype colon = qname.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? qname : qname.mid(colon + 1);
}

bool isXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

const Node* envelopeBody(const Node& root, const QString& what) {
    if (root.name != QLatin1String("Envelope"))
        fail(what + QStringLiteral("不是SOAP信封（根元素为") + root.name + QStringLiteral("）"));
    if (root.ns != QLatin1String(kEnvelopeNs))
        fail(what + QStringLiteral("不是SOAP 1.1信封（命名空间为") + root.ns + QStringLiteral("）"));
    const Node* body = root.child(QStringLiteral("Body"), QLatin1String(kEnvelopeNs));
    if (!body) fail(what + QStringLiteral("缺少soap:Body"));
    return body;
}

QString envelope(const QString& body) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
               "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
               "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
               "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
               "<soap:Body>") +
           body + QStringLiteral("</soap:Body></soap:Envelope>");
}

// Element names come from the WSDL or our own code; refuse anything that would break the markup.
void checkName(const QString& name) {
    if (name.isEmpty()) fail(QStringLiteral("SOAP元素名为空"));
    for (QChar c : name) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-') || c == QLatin1Char('.')))
            fail(QStringLiteral("SOAP元素名不合法：") + name);
    }
    if (name.front().isDigit() || name.front() == QLatin1Char('-') || name.front() == QLatin1Char('.'))
        fail(QStringLiteral("SOAP元素名不合法：") + name);
}

}  // namespace

// ---- escaping and base64

QString EscapeXml(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        char32_t c = ch.unicode();
        if (ch.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            out += ch;
            out += text.at(++i);
            continue;
        }
        if (ch.isSurrogate() || !isXmlChar(c))
            fail(QStringLiteral("文本含有XML无法表示的字符（U+%1）").arg(quint32(c), 4, 16, QLatin1Char('0')).toUpper());
        switch (c) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\r': out += QLatin1String("&#13;"); break;
        default: out += ch;
        }
    }
    return out;
}

QString XmlSafeText(const QString& text) {
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            out += ch;
            out += text.at(++i);
        } else if (ch.isSurrogate() || !isXmlChar(ch.unicode())) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += ch;
        }
    }
    return out;
}

QByteArray DecodeBase64(const QString& text, bool* ok) {
    QByteArray compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            continue;
        if (c.unicode() > 127) {
            if (ok) *ok = false;
            return {};
        }
        compact.append(char(c.unicode()));
    }
    auto r = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (ok) *ok = bool(r);
    return r ? *r : QByteArray();
}

QString DefaultSoapAction(const QString& ns, const QString& method) {
    if (ns.isEmpty() || ns.endsWith(QLatin1Char('/'))) return ns + method;
    return ns + QLatin1Char('/') + method;
}

// ---- WSDL

const WsdlOperation* Wsdl::operation(const QString& name) const {
    for (const auto& op : operations)
        if (op.name == name) return &op;
    for (const auto& op : operations)
        if (op.name.compare(name, Qt::CaseInsensitive) == 0) return &op;
    return nullptr;
}

Wsdl ParseWsdl(const QByteArray& bytes) {
    const QString what = QStringLiteral("服务描述文档");
    const auto root = readTree(bytes, what);
    if (root->name != QLatin1String("definitions") || root->ns != kWsdlNs)
        fail(what + QStringLiteral("不是WSDL（根元素为") + root->name + QStringLiteral("）"));

    Wsdl w;
    w.targetNamespace = root->attr(QStringLiteral("targetNamespace"));

    // Schema elements and named complex types, by local name.
    struct SchemaElement { const Node* node; QString ns; };
    QHash<QString, SchemaElement> elements;
    QHash<QString, const Node*> complexTypes;
    for (const Node* types : root->all(QStringLiteral("types"), kWsdlNs)) {
        for (const Node* schema : types->all(QStringLiteral("schema"), QLatin1String(kXsdNs))) {
            const QString tns = schema->attr(QStringLiteral("targetNamespace"));
            for (const auto& c : schema->children) {
                if (c->ns != QLatin1String(kXsdNs)) continue;
                const QString name = c->attr(QStringLiteral("name"));
                if (c->name == QLatin1String("element")) elements.insert(name, {c.get(), tns});
                else if (c->name == QLatin1String("complexType")) complexTypes.insert(name, c.get());
            }
        }
    }
    QHash<QString, const Node*> messages;
    for (const Node* m : root->all(QStringLiteral("message"), kWsdlNs)) messages.insert(m->attr(QStringLiteral("name")), m);
    QHash<QString, const Node*> portTypes;
    for (const Node* p : root->all(QStringLiteral("portType"), kWsdlNs)) portTypes.insert(p->attr(QStringLiteral("name")), p);
    QHash<QString, const Node*> soapBindings;
    for (const Node* b : root->all(QStringLiteral("binding"), kWsdlNs))
        if (b->child(QStringLiteral("binding"), kWsdlSoapNs)) soapBindings.insert(b->attr(QStringLiteral("name")), b);

    // The first port with a SOAP 1.1 address and a SOAP 1.1 binding.
    const Node* binding = nullptr;
    for (const Node* service : root->all(QStringLiteral("service"), kWsdlNs)) {
        for (const Node* port : service->all(QStringLiteral("port"), kWsdlNs)) {
            const Node* address = port->child(QStringLiteral("address"), kWsdlSoapNs);
            const Node* b = soapBindings.value(localPart(port->attr(QStringLiteral("binding"))));
            if (!address || !b) continue;
            w.serviceName = service->attr(QStringLiteral("name"));
            w.address = address->attr(QStringLiteral("location")).trimmed();
            binding = b;
            break;
        }
        if (binding) break;
    }
    if (!binding) fail(what + QStringLiteral("缺少SOAP 1.1的绑定或服务地址"));
    if (w.address.isEmpty()) fail(what + QStringLiteral("的服务地址为空"));

    const Node* portType = portTypes.value(localPart(binding->attr(QStringLiteral("type"))));
    if (!portType) fail(what + QStringLiteral("缺少绑定所指的portType"));

    for (const Node* bop : binding->all(QStringLiteral("operation"), kWsdlNs)) {
        WsdlOperation op;
        op.name = bop->attr(QStringLiteral("name"));
        const QString where = what + QStringLiteral("的操作") + op.name;
        if (const Node* so = bop->child(QStringLiteral("operation"), kWsdlSoapNs))
            op.soapAction = so->attr(QStringLiteral("soapAction"));
        const Node* pop = nullptr;
        for (const Node* o : portType->all(QStringLiteral("operation"), kWsdlNs))
            if (o->attr(QStringLiteral("name")) == op.name) pop = o;
        if (!pop) fail(where + QStringLiteral("不在portType中"));
        const Node* input = pop->child(QStringLiteral("input"), kWsdlNs);
        const Node* message = input ? messages.value(localPart(input->attr(QStringLiteral("message")))) : nullptr;
        if (!message) fail(where + QStringLiteral("缺少输入消息"));
        const QList<const Node*> parts = message->all(QStringLiteral("part"), kWsdlNs);
        op.requestNamespace = w.targetNamespace;
        if (parts.size() == 1 && !parts.front()->attr(QStringLiteral("element")).isEmpty()) {
            // Document/literal wrapped: the parameters are the wrapper element's sequence.
            const QString elementName = localPart(parts.front()->attr(QStringLiteral("element")));
            const auto it = elements.constFind(elementName);
            if (it == elements.constEnd()) fail(where + QStringLiteral("的输入元素") + elementName + QStringLiteral("未定义"));
            if (!it->ns.isEmpty()) op.requestNamespace = it->ns;
            const Node* ct = it->node->child(QStringLiteral("complexType"), QLatin1String(kXsdNs));
            if (!ct && !it->node->attr(QStringLiteral("type")).isEmpty())
                ct = complexTypes.value(localPart(it->node->attr(QStringLiteral("type"))));
            if (!ct) fail(where + QStringLiteral("的输入元素") + elementName + QStringLiteral("不是复合类型"));
            if (const Node* seq = ct->child(QStringLiteral("sequence"), QLatin1String(kXsdNs))) {
                for (const Node* e : seq->all(QStringLiteral("element"), QLatin1String(kXsdNs))) {
                    WsdlParam p;
                    p.name = e->attr(QStringLiteral("name"));
                    if (p.name.isEmpty()) p.name = localPart(e->attr(QStringLiteral("ref")));
                    p.type = localPart(e->attr(QStringLiteral("type")));
                    if (p.name.isEmpty()) fail(where + QStringLiteral("的参数缺少名称"));
                    op.inputs.append(p);
                }
            }
        } else {
            // Parts by type: each part is one parameter.
            for (const Node* part : parts) {
                WsdlParam p;
                p.name = part->attr(QStringLiteral("name"));
                p.type = localPart(part->attr(QStringLiteral("type")));
                if (p.name.isEmpty() || p.type.isEmpty()) fail(where + QStringLiteral("的消息部分不完整"));
                op.inputs.append(p);
            }
        }
        w.operations.append(op);
    }
    return w;
}

QByteArray BuildWsdl(const Wsdl& w) {
    const QString tns = w.targetNamespace;
    const QString service = w.serviceName.isEmpty() ? QStringLiteral("Service") : w.serviceName;
    const QString portName = service + QStringLiteral("Soap");
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.setAutoFormatting(true);
    x.writeStartDocument();
    x.writeNamespace(kWsdlSoapNs, QStringLiteral("soap"));
    x.writeNamespace(QLatin1String(kXsdNs), QStringLiteral("s"));
    x.writeNamespace(tns, QStringLiteral("tns"));
    x.writeNamespace(kWsdlNs, QStringLiteral("wsdl"));
    x.writeStartElement(kWsdlNs, QStringLiteral("definitions"));
    x.writeAttribute(QStringLiteral("targetNamespace"), tns);

    auto sequenceElement = [&](const QString& name, const QString& type) {
        x.writeStartElement(QLatin1String(kXsdNs), QStringLiteral("element"));
        x.writeAttribute(QStringLiteral("minOccurs"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("maxOccurs"), QStringLiteral("1"));
        x.writeAttribute(QStringLiteral("name"), name);
        x.writeAttribute(QStringLiteral("type"), QStringLiteral("s:") + (type.isEmpty() ? QStringLiteral("string") : type));
        x.writeEndElement();
    };
    auto wrapper = [&](const QString& name, const QList<WsdlParam>& params) {
        x.writeStartElement(QLatin1String(kXsdNs), QStringLiteral("element"));
        x.writeAttribute(QStringLiteral("name"), name);
        x.writeStartElement(QLatin1String(kXsdNs), QStringLiteral("complexType"));
        x.writeStartElement(QLatin1String(kXsdNs), QStringLiteral("sequence"));
        for (const auto& p : params) sequenceElement(p.name, p.type);
        x.writeEndElement();
        x.writeEndElement();
        x.writeEndElement();
    };

    x.writeStartElement(kWsdlNs, QStringLiteral("types"));
    x.writeStartElement(QLatin1String(kXsdNs), QStringLiteral("schema"));
    x.writeAttribute(QStringLiteral("elementFormDefault"), QStringLiteral("qualified"));
    x.writeAttribute(QStringLiteral("targetNamespace"), tns);
    for (const auto& op : w.operations) {
        wrapper(op.name, op.inputs);
        wrapper(op.name + QStringLiteral("Response"), {WsdlParam{op.name + QStringLiteral("Result"), QStringLiteral("string")}});
    }
    x.writeEndElement();
    x.writeEndElement();

    auto message = [&](const QString& name, const QString& element) {
        x.writeStartElement(kWsdlNs, QStringLiteral("message"));
        x.writeAttribute(QStringLiteral("name"), name);
        x.writeStartElement(kWsdlNs, QStringLiteral("part"));
        x.writeAttribute(QStringLiteral("name"), QStringLiteral("parameters"));
        x.writeAttribute(QStringLiteral("element"), QStringLiteral("tns:") + element);
        x.writeEndElement();
        x.writeEndElement();
    };
    for (const auto& op : w.operations) {
        message(op.name + QStringLiteral("SoapIn"), op.name);
        message(op.name + QStringLiteral("SoapOut"), op.name + QStringLiteral("Response"));
    }

    x.writeStartElement(kWsdlNs, QStringLiteral("portType"));
    x.writeAttribute(QStringLiteral("name"), portName);
    for (const auto& op : w.operations) {
        x.writeStartElement(kWsdlNs, QStringLiteral("operation"));
        x.writeAttribute(QStringLiteral("name"), op.name);
        x.writeStartElement(kWsdlNs, QStringLiteral("input"));
        x.writeAttribute(QStringLiteral("message"), QStringLiteral("tns:") + op.name + QStringLiteral("SoapIn"));
        x.writeEndElement();
        x.writeStartElement(kWsdlNs, QStringLiteral("output"));
        x.writeAttribute(QStringLiteral("message"), QStringLiteral("tns:") + op.name + QStringLiteral("SoapOut"));
        x.writeEndElement();
        x.writeEndElement();
    }
    x.writeEndElement();

    x.writeStartElement(kWsdlNs, QStringLiteral("binding"));
    x.writeAttribute(QStringLiteral("name"), portName);
    x.writeAttribute(QStringLiteral("type"), QStringLiteral("tns:") + portName);
    x.writeStartElement(kWsdlSoapNs, QStringLiteral("binding"));
    x.writeAttribute(QStringLiteral("transport"), kSoapHttpTransport);
    x.writeEndElement();
    for (const auto& op : w.operations) {
        x.writeStartElement(kWsdlNs, QStringLiteral("operation"));
        x.writeAttribute(QStringLiteral("name"), op.name);
        x.writeStartElement(kWsdlSoapNs, QStringLiteral("operation"));
        x.writeAttribute(QStringLiteral("soapAction"),
                         op.soapAction.isEmpty() ? DefaultSoapAction(tns, op.name) : op.soapAction);
        x.writeAttribute(QStringLiteral("style"), QStringLiteral("document"));
        x.writeEndElement();
        for (const char* dir : {"input", "output"}) {
            x.writeStartElement(kWsdlNs, QLatin1String(dir));
            x.writeStartElement(kWsdlSoapNs, QStringLiteral("body"));
            x.writeAttribute(QStringLiteral("use"), QStringLiteral("literal"));
            x.writeEndElement();
            x.writeEndElement();
        }
        x.writeEndElement();
    }
    x.writeEndElement();

    x.writeStartElement(kWsdlNs, QStringLiteral("service"));
    x.writeAttribute(QStringLiteral("name"), service);
    x.writeStartElement(kWsdlNs, QStringLiteral("port"));
    x.writeAttribute(QStringLiteral("name"), portName);
    x.writeAttribute(QStringLiteral("binding"), QStringLiteral("tns:") + portName);
    x.writeStartElement(kWsdlSoapNs, QStringLiteral("address"));
    x.writeAttribute(QStringLiteral("location"), w.address);
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndElement();

    x.writeEndElement();  // definitions
    x.writeEndDocument();
    return out;
}

// ---- messages

QString Request::arg(const QString& name) const {
    for (const auto& a : args)
        if (a.first == name) return a.second;
    return QString();
}

bool Request::has(const QString& name) const {
    for (const auto& a : args)
        if (a.first == name) return true;
    return false;
}

QByteArray BuildRequest(const QString& ns, const QString& method, const QList<Arg>& args) {
    checkName(method);
    QString body = QLatin1Char('<') + method + QStringLiteral(" xmlns=\"") + EscapeXml(ns) + QStringLiteral("\">");
    for (const Arg& a : args) {
        checkName(a.name);
        body += QLatin1Char('<') + a.name + QLatin1Char('>');
        body += a.binary ? QString::fromLatin1(a.bytes.toBase64()) : EscapeXml(a.text);
        body += QStringLiteral("</") + a.name + QLatin1Char('>');
    }
    body += QStringLiteral("</") + method + QLatin1Char('>');
    return envelope(body).toUtf8();
}

Request ParseRequest(const QByteArray& bytes) {
    const QString what = QStringLiteral("SOAP请求");
    const auto root = readTree(bytes, what);
    const Node* body = envelopeBody(*root, what);
    if (body->children.empty()) fail(what + QStringLiteral("的soap:Body为空"));
    const Node& wrapper = *body->children.front();
    Request r;
    r.method = wrapper.name;
    r.ns = wrapper.ns;
    for (const auto& c : wrapper.children) r.args.append({c->name, c->isNil() ? QString() : c->text});
    return r;
}

QByteArray BuildResponse(const QString& ns, const QString& method, const QString& result) {
    checkName(method);
    const QString response = method + QStringLiteral("Response");
    const QString element = method + QStringLiteral("Result");
    const QString body = QLatin1Char('<') + response + QStringLiteral(" xmlns=\"") + EscapeXml(ns) +
                         QStringLiteral("\"><") + element + QLatin1Char('>') + EscapeXml(result) +
                         QStringLiteral("</") + element + QStringLiteral("></") + response + QLatin1Char('>');
    return envelope(body).toUtf8();
}

QByteArray BuildFault(const QString& code, const QString& string, const QString& detail) {
    QString body = QStringLiteral("<soap:Fault><faultcode>") + EscapeXml(code) + QStringLiteral("</faultcode><faultstring>") +
                   EscapeXml(string) + QStringLiteral("</faultstring>");
    body += detail.isEmpty() ? QStringLiteral("<detail />")
                             : QStringLiteral("<detail>") + EscapeXml(detail) + QStringLiteral("</detail>");
    body += QStringLiteral("</soap:Fault>");
    return envelope(body).toUtf8();
}

Response ParseResponse(const QByteArray& bytes, const QString& method) {
    const QString what = QStringLiteral("服务器的回答");
    const auto root = readTree(bytes, what);
    const Node* body = envelopeBody(*root, what);
    if (body->children.empty()) fail(what + QStringLiteral("的soap:Body为空"));
    const Node& first = *body->children.front();
    Response r;
    if (first.name == QLatin1String("Fault") && first.ns == QLatin1String(kEnvelopeNs)) {
        r.isFault = true;
        // faultcode, faultstring and detail are unqualified; accept them qualified too.
        if (const Node* n = first.child(QStringLiteral("faultcode"))) r.fault.code = n->text.trimmed();
        if (const Node* n = first.child(QStringLiteral("faultstring"))) r.fault.string = n->text;
        if (const Node* n = first.child(QStringLiteral("detail"))) {
            r.fault.detail = n->text.trimmed();
            for (const auto& c : n->children)
                if (r.fault.detail.isEmpty()) r.fault.detail = c->text.trimmed();
        }
        return r;
    }
    if (!method.isEmpty() && first.name != method + QStringLiteral("Response"))
        fail(what + QStringLiteral("不是") + method + QStringLiteral("的回答（收到") + first.name + QStringLiteral("）"));
    const Node* result = nullptr;
    if (!method.isEmpty()) result = first.child(method + QStringLiteral("Result"));
    else if (!first.children.empty()) result = first.children.front().get();
    // An absent or nil result element is how a null text comes back.
    if (result && !result->isNil()) r.result = result->text;
    return r;
}

}  // namespace soap
