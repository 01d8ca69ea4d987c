#include "emulator/emulator.h"

#include "emulator/httpfront.h"
#include "emulator/pages.h"
#include "platform/vberror.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace emu {

namespace {

bool Matches(const RequestMatch& m, const QString& path, const QString& endpoint, const QString& method) {
    if (!m.method.isEmpty()) return method == m.method;
    if (!m.endpoint.isEmpty()) return endpoint == m.endpoint;
    if (!m.pathPrefix.isEmpty()) return path.startsWith(m.pathPrefix);
    return !endpoint.isEmpty();
}

RequestMatch MatchOf(const HttpRequest& r) {
    return RequestMatch{r.queryValue(QStringLiteral("method")), r.queryValue(QStringLiteral("endpoint")).toLower(),
                        r.queryValue(QStringLiteral("path"))};
}

QString Describe(const RequestMatch& m) {
    if (!m.method.isEmpty()) return QStringLiteral("method ") + m.method;
    if (!m.endpoint.isEmpty()) return QStringLiteral("endpoint ") + m.endpoint;
    if (!m.pathPrefix.isEmpty()) return QStringLiteral("path ") + m.pathPrefix;
    return QStringLiteral("every service request");
}

HttpResponse Fault(const QString& code, const QString& text) {
    HttpResponse r;
    r.status = 500;
    r.contentType = "text/xml; charset=utf-8";
    // The text may quote what a client sent, bytes XML cannot carry included.
    r.body = soap::BuildFault(code, soap::XmlSafeText(text));
    return r;
}

QJsonObject CallJson(const CallRecord& c) {
    QJsonObject o;
    o[QStringLiteral("time")] = c.time.toString(Qt::ISODateWithMs);
    o[QStringLiteral("host")] = c.host;
    o[QStringLiteral("endpoint")] = c.endpoint;
    o[QStringLiteral("method")] = c.method;
    QJsonArray args;
    for (const QString& a : c.args) args.append(a);
    o[QStringLiteral("args")] = args;
    o[QStringLiteral("reply")] = c.reply;
    o[QStringLiteral("fault")] = c.fault;
    o[QStringLiteral("scripted")] = c.scripted;
    return o;
}

}  // namespace

Emulator::Emulator(Options options) : m_options(std::move(options)), m_hosts(ServiceConfig::defaults()) {
    if (!m_options.domain.isEmpty()) m_hosts.domain = m_options.domain.toLower();
    m_options.domain = m_hosts.domain;
    m_store = std::make_unique<MemberStore>(m_options.dataDir);
    m_logic = std::make_unique<ServiceLogic>(*m_store, m_hosts.domain);
    // On a damaged store the demo member may be one of the records that did not read: making it
    // again would give it a new id and prefix over its old files. The program refuses to start.
    if (m_store->damaged().isEmpty()) m_logic->ensureDemoMember();
}

Emulator::~Emulator() {
    m_front.reset();
    save();
}

bool Emulator::listen() {
    m_front = std::make_unique<HttpFront>([this](const HttpRequest& r) { return handle(r); }, m_options.maxBodyBytes,
                                          ConnectionLimits{m_options.idleTimeoutMs, m_options.headTimeoutMs, m_options.delayedAcks});
    m_port = m_front->listenLocal(m_options.port, &m_error);
    if (m_port == 0) m_front.reset();
    return m_port != 0;
}

bool Emulator::save() {
    // Writing over a store that did not read whole would lose what it holds for good.
    if (!m_store->damaged().isEmpty()) return false;
    return m_store->saveAll();
}

HostInfo Emulator::classify(const QString& host) const {
    HostInfo info;
    if (host == QLatin1String("localhost") || !QHostAddress(host).isNull()) {
        info.kind = HostKind::Local;
        return info;
    }
    const QString suffix = QLatin1Char('.') + m_hosts.domain;
    if (host == m_hosts.domain) {
        info.kind = HostKind::Main;
        return info;
    }
    if (!host.endsWith(suffix)) return info;  // Foreign
    const QString label = host.chopped(suffix.size());
    const struct {
        const QString& label;
        HostKind kind;
    } fixed[] = {
        {m_hosts.defaultHost, HostKind::Main},       {m_hosts.mainHost, HostKind::Main},
        {m_hosts.frameHost, HostKind::Frame},        {m_hosts.materialsHost, HostKind::Materials},
        {m_hosts.advertisingHost, HostKind::Advertising}, {m_hosts.accountHost, HostKind::Account},
        {m_hosts.recoveryHost, HostKind::Recovery},  {m_hosts.exampleHost, HostKind::Example},
        {m_hosts.photoListHost, HostKind::PhotoList},
    };
    for (const auto& f : fixed) {
        if (label == f.label.toLower()) {
            info.kind = f.kind;
            return info;
        }
    }
    static const QRegularExpression numbered(QStringLiteral("^(www|web|img|frm)\\d+$"));
    static const QRegularExpression site(QStringLiteral("^www\\.([a-z0-9-]+)$"));
    static const QRegularExpression mobile(QStringLiteral("^m\\.([a-z0-9-]+)$"));
    if (const auto m = numbered.match(label); m.hasMatch()) {
        const QString kind = m.captured(1);
        // Only the servers of the members' prefixes exist: a garbled prefix reaches nothing.
        if (!m_store->hasServer(QStringLiteral("www") + label.mid(3))) {
            info.kind = HostKind::Absent;
            return info;
        }
        info.kind = kind == QLatin1String("www")   ? HostKind::SiteServices
                    : kind == QLatin1String("web") ? HostKind::Web
                    : kind == QLatin1String("img") ? HostKind::Image
                                                   : HostKind::Frame;
    } else if (const auto s = site.match(label); s.hasMatch()) {
        info.kind = HostKind::MemberSite;
        info.label = s.captured(1);
    } else if (const auto s = mobile.match(label); s.hasMatch()) {
        info.kind = HostKind::MobileSite;
        info.label = s.captured(1);
    } else {
        info.kind = HostKind::Unknown;
    }
    return info;
}

HttpResponse Emulator::handle(const HttpRequest& r) {
    const HostInfo host = classify(r.host);
    // The control API answers on the loopback address only, never under the service's host names.
    if (r.path.startsWith(QLatin1String("/__emulator/")) && host.kind == HostKind::Local) {
        // A page in a browser can post here too (a form needs no permission): control requests come
        // from tests and scripts, which name no page they come from and address a loopback host.
        const bool loopback = r.host == QLatin1String("localhost") || QHostAddress(r.host).isLoopback();
        const bool fromAPage = std::any_of(r.headers.begin(), r.headers.end(), [](const auto& h) {
            return h.first.compare("Origin", Qt::CaseInsensitive) == 0 || h.first.compare("Referer", Qt::CaseInsensitive) == 0;
        });
        if (!loopback || fromAPage)
            return HttpResponse::Text(QStringLiteral("控制接口只接受本机的直接请求。"), 403);
        return handleControl(r);
    }
    if (host.kind == HostKind::Foreign)
        return HttpResponse::Text(QStringLiteral("本地服务模拟器只服务域名 ") + m_hosts.domain + QStringLiteral(" 下的主机。"), 502);
    if (host.kind == HostKind::Absent)
        return HttpResponse::Text(QStringLiteral("没有这台服务器：") + r.host, 502);
    if (r.method == "CONNECT") return HttpResponse::Text(QStringLiteral("不支持隧道连接。"), 501);
    // Another local server reached through us as a proxy: we do not forward.
    if (host.kind == HostKind::Local && m_port != 0) {
        const qsizetype colon = r.authority.lastIndexOf(QLatin1Char(':'));
        if (colon > 0 && r.authority.mid(colon + 1).toUInt() != m_port)
            return HttpResponse::Text(QStringLiteral("本地服务模拟器不转发请求。"), 502);
    }

    static const QRegularExpression service(QStringLiteral("^/services/([^/]+)\\.asmx$"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (const auto m = service.match(r.path); m.hasMatch()) {
        switch (host.kind) {
        case HostKind::Local:
        case HostKind::Main:
        case HostKind::SiteServices:
        case HostKind::Web:
        case HostKind::Image: return handleService(r, m.captured(1));
        default: break;
        }
    }
    HttpResponse out;
    if (applyRules(r, QString(), QString(), out)) return out;
    out = ServePage(r, host, *this);
    applyLatency(r, QString(), QString(), out);
    return out;
}

bool Emulator::applyRules(const HttpRequest& r, const QString& endpoint, const QString& method, HttpResponse& out) {
    for (int i = 0; i < m_control.faults.size(); ++i) {
        FaultRule& rule = m_control.faults[i];
        if (!Matches(rule.match, r.path, endpoint, method)) continue;
        if (rule.after > 0) {
            --rule.after;  // this one reaches the logic; the rule waits
            continue;
        }
        if (rule.drop) {
            out = HttpResponse();
            out.drop = true;
        } else if (rule.errorPage) {
            out = HttpResponse::Html(QStringLiteral("<HTML><HEAD><TITLE>错误</TITLE></HEAD><BODY>服务器暂时无法提供此文件。</BODY></HTML>"));
        } else {
            out = HttpResponse::Text(QStringLiteral("模拟的 HTTP 错误。"), rule.status);
        }
        if (--rule.remaining <= 0) m_control.faults.removeAt(i);
        applyLatency(r, endpoint, method, out);
        return true;
    }
    return false;
}

void Emulator::applyLatency(const HttpRequest& r, const QString& endpoint, const QString& method, HttpResponse& out) {
    for (const auto& l : m_control.latency)
        if (Matches(l.first, r.path, endpoint, method)) out.delayMs = qMax(out.delayMs, l.second);
}

HttpResponse Emulator::handleService(const HttpRequest& r, const QString& endpointName) {
    const EndpointSpec* endpoint = FindEndpoint(endpointName);
    const QString key = endpoint ? endpoint->name : endpointName.toLower();
    const bool wsdl = r.hasQueryKey(QStringLiteral("wsdl"));
    HttpResponse out;
    if ((r.method != "POST" || wsdl) && applyRules(r, key, QString(), out)) return out;

    if (!endpoint) {
        out = HttpResponse::Text(QStringLiteral("没有这个服务：") + endpointName, 404);
    } else if (r.method == "GET" || r.method == "HEAD") {
        if (wsdl) {
            if (m_control.hiddenWsdl.contains(key)) {
                out = HttpResponse::Text(QStringLiteral("服务说明不存在。"), 404);
            } else {
                const QString address = QStringLiteral("http://") + r.authority + QStringLiteral("/services/") +
                                        endpoint->name + QStringLiteral(".asmx");
                out = HttpResponse::Bytes(soap::BuildWsdl(EndpointWsdl(*endpoint, address)), "text/xml; charset=utf-8");
            }
        } else {
            out = ServiceOverviewPage(*endpoint);
        }
    } else if (r.method == "POST") {
        return soapCall(r, *endpoint);
    } else {
        out = HttpResponse::Text(QStringLiteral("不支持的请求方法。"), 405);
        out.headers.append(qMakePair(QByteArray("Allow"), QByteArray("GET, HEAD, POST")));
    }
    applyLatency(r, key, QString(), out);
    return out;
}

HttpResponse Emulator::soapCall(const HttpRequest& r, const EndpointSpec& endpoint) {
    soap::Request request;
    try {
        request = soap::ParseRequest(r.body);
    } catch (const VbError& e) {
        HttpResponse out;
        if (applyRules(r, endpoint.name, QString(), out)) return out;
        out = Fault(QStringLiteral("soap:Client"), QStringLiteral("请求的 SOAP 信封无法解析：") + e.description());
        applyLatency(r, endpoint.name, QString(), out);
        return out;
    }

    CallRecord record;
    record.time = QDateTime::currentDateTime();
    record.host = r.host;
    record.endpoint = endpoint.name;
    record.method = request.method;
    HttpResponse out;
    if (applyRules(r, endpoint.name, request.method, out)) {
        record.reply = out.drop ? QStringLiteral("<dropped>") : QStringLiteral("<HTTP %1>").arg(out.status);
        record.fault = true;
        m_control.record(record);
        return out;
    }

    // The operation of this endpoint, its namespace, and every argument in its order.
    const soap::WsdlOperation* op = nullptr;
    for (const soap::WsdlOperation& o : endpoint.operations)
        if (o.name == request.method) op = &o;
    QList<soap::Arg> args;
    QString problem;
    if (!op) {
        problem = QStringLiteral("服务 ") + endpoint.name + QStringLiteral(" 没有方法 ") + request.method;
    } else if (request.ns != op->requestNamespace) {
        problem = QStringLiteral("方法 ") + request.method + QStringLiteral(" 的命名空间应为 ") + op->requestNamespace;
    } else {
        for (const soap::WsdlParam& p : op->inputs) {
            if (!request.has(p.name)) {
                problem = QStringLiteral("缺少参数 ") + p.name;
                break;
            }
            const QString text = request.arg(p.name);
            if (p.type == QLatin1String("base64Binary")) {
                bool ok = false;
                const QByteArray bytes = soap::DecodeBase64(text, &ok);
                if (!ok) {
                    problem = QStringLiteral("参数 ") + p.name + QStringLiteral(" 不是 base64 数据");
                    break;
                }
                args.append(soap::Arg::Bytes(p.name, bytes));
                record.args.append(QStringLiteral("<%1 bytes>").arg(bytes.size()));
            } else {
                args.append(soap::Arg::Text(p.name, text));
                record.args.append(text);
            }
        }
    }

    QString reply;
    if (!problem.isEmpty()) {
        out = Fault(QStringLiteral("soap:Client"), problem);
        record.reply = problem;
        record.fault = true;
    } else if (QList<ScriptedReply>& queued = m_control.scripts[request.method];
               !queued.isEmpty() && queued.first().after-- <= 0) {
        reply = queued.takeFirst().reply;
        record.scripted = true;
    } else if (m_logic->implements(request.method)) {
        reply = m_logic->call(request.method, args);
    } else {
        problem = QStringLiteral("方法 ") + request.method + QStringLiteral(" 尚不可用（not available）。");
        out = Fault(QStringLiteral("soap:Server"), problem);
        record.reply = problem;
        record.fault = true;
    }
    if (m_control.scripts.contains(request.method) && m_control.scripts[request.method].isEmpty())
        m_control.scripts.remove(request.method);
    if (problem.isEmpty()) {
        out = HttpResponse::Bytes(soap::BuildResponse(op->requestNamespace, request.method, soap::XmlSafeText(reply)),
                                  "text/xml; charset=utf-8");
        record.reply = reply;
    }
    m_control.record(record);
    applyLatency(r, endpoint.name, request.method, out);
    return out;
}

HttpResponse Emulator::handleControl(const HttpRequest& r) {
    const QString what = r.path.mid(int(qstrlen("/__emulator/")));
    const auto ok = [] { return HttpResponse::Json("{\"ok\":true}"); };
    const auto bad = [](const QString& why) { return HttpResponse::Text(why, 400); };
    if (what == QLatin1String("status")) {
        QJsonObject o;
        o[QStringLiteral("port")] = int(m_port);
        o[QStringLiteral("domain")] = m_hosts.domain;
        o[QStringLiteral("dataDir")] = m_store->dataDir();
        const DemoMember demo = ServiceLogic::Demo();
        o[QStringLiteral("demo")] = QJsonObject{{QStringLiteral("name"), demo.name},
                                                {QStringLiteral("password"), demo.password},
                                                {QStringLiteral("domain"), demo.domain}};
        QJsonArray members;
        for (const Member* m : m_store->members())
            members.append(QJsonObject{{QStringLiteral("name"), m->name},
                                       {QStringLiteral("prefix"), m->prefix},
                                       {QStringLiteral("domain"), m->domain},
                                       {QStringLiteral("usedKb"), double(m->usedKb())}});
        o[QStringLiteral("members")] = members;
        return HttpResponse::Json(QJsonDocument(o).toJson());
    }
    if (what == QLatin1String("calls")) {
        QJsonArray calls;
        for (const CallRecord& c : m_control.calls) calls.append(CallJson(c));
        return HttpResponse::Json(QJsonDocument(calls).toJson());
    }
    if (r.method != "POST") return bad(QStringLiteral("控制命令请用 POST。"));

    if (what == QLatin1String("reset")) {
        m_control.clear();
        m_logic->reset();
        return ok();
    }
    if (what == QLatin1String("clear-calls")) {
        m_control.calls.clear();
        return ok();
    }
    if (what == QLatin1String("script")) {
        const QString method = r.queryValue(QStringLiteral("method"));
        if (method.isEmpty()) return bad(QStringLiteral("缺少 method。"));
        const int count = qMax(1, r.queryValue(QStringLiteral("count")).toInt());
        // Only the first of the replies waits: the rest follow it call after call.
        const int after = qMax(0, r.queryValue(QStringLiteral("after")).toInt());
        for (int i = 0; i < count; ++i) m_control.scripts[method].append({QString::fromUtf8(r.body), i == 0 ? after : 0});
        return ok();
    }
    if (what == QLatin1String("latency")) {
        const RequestMatch match = MatchOf(r);
        const int ms = r.queryValue(QStringLiteral("ms")).toInt();
        m_control.latency.removeIf([&](const auto& l) { return Describe(l.first) == Describe(match); });
        if (ms > 0) m_control.latency.append({match, ms});
        return ok();
    }
    if (what == QLatin1String("http-error") || what == QLatin1String("drop") || what == QLatin1String("error-page")) {
        FaultRule rule;
        rule.match = MatchOf(r);
        rule.drop = what == QLatin1String("drop");
        rule.errorPage = what == QLatin1String("error-page");
        rule.status = rule.drop ? 0 : rule.errorPage ? 200 : r.queryValue(QStringLiteral("status")).toInt();
        if (!rule.drop && !rule.errorPage && (rule.status < 400 || rule.status > 599))
            return bad(QStringLiteral("status 应在 400 到 599 之间。"));
        rule.remaining = qMax(1, r.queryValue(QStringLiteral("count")).toInt());
        rule.after = qMax(0, r.queryValue(QStringLiteral("after")).toInt());
        m_control.faults.append(rule);
        return ok();
    }
    if (what == QLatin1String("wsdl")) {
        const QString endpoint = r.queryValue(QStringLiteral("endpoint")).toLower();
        if (!FindEndpoint(endpoint)) return bad(QStringLiteral("没有这个服务。"));
        if (r.queryValue(QStringLiteral("hidden")) == QLatin1String("0"))
            m_control.hiddenWsdl.remove(endpoint);
        else
            m_control.hiddenWsdl.insert(endpoint);
        return ok();
    }
    if (what == QLatin1String("notice")) {
        const int row = r.queryValue(QStringLiteral("row")).toInt();
        if (!r.hasQueryKey(QStringLiteral("row")) || row < 0 || row >= m_logic->notices().size())
            return bad(QStringLiteral("row 应在 0 到 5 之间。"));
        Notice& n = m_logic->notices()[row];
        n.on = r.queryValue(QStringLiteral("on")) != QLatin1String("0");
        if (!r.body.isEmpty()) n.text = QString::fromUtf8(r.body);
        return ok();
    }
    if (what == QLatin1String("registration-limit")) {
        m_logic->setHourlyRegistrationLimit(r.queryValue(QStringLiteral("on")) != QLatin1String("0"));
        return ok();
    }
    if (what == QLatin1String("member")) {
        Member* m = m_store->find(r.queryValue(QStringLiteral("name")).trimmed().toLower());
        if (!m) return HttpResponse::Text(QStringLiteral("没有这个会员。"), 404);
        const QJsonObject o = QJsonDocument::fromJson(r.body).object();
        if (o.contains(QStringLiteral("quotaKb"))) m->quotaKb = qint64(o[QStringLiteral("quotaKb")].toDouble());
        if (o.contains(QStringLiteral("expiry"))) m->expiry = o[QStringLiteral("expiry")].toString();
        if (o.contains(QStringLiteral("hasSpace"))) m->hasSpace = o[QStringLiteral("hasSpace")].toBool();
        if (o.contains(QStringLiteral("domain"))) m->domain = o[QStringLiteral("domain")].toString();
        if (o.contains(QStringLiteral("protectionKey"))) m->protectionKey = o[QStringLiteral("protectionKey")].toString();
        if (o.contains(QStringLiteral("realName"))) m->realName = o[QStringLiteral("realName")].toBool();
        if (o.contains(QStringLiteral("edition"))) m->edition = o[QStringLiteral("edition")].toString();
        try {
            m_store->save(*m);
            if (o.contains(QStringLiteral("albumStamp"))) m_store->setAlbumStamp(*m, o[QStringLiteral("albumStamp")].toString());
        } catch (const VbError& e) {
            return HttpResponse::Text(e.description(), 500);
        }
        return ok();
    }
    return HttpResponse::Text(QStringLiteral("没有这个控制命令：") + what, 404);
}

}  // namespace emu
