#include "emulator/pages.h"

#include "emulator/domainpages.h"
#include "emulator/emulator.h"
#include "emulator/mainwindowpages.h"
#include "emulator/musicpages.h"
#include "emulator/materialslibrary.h"
#include "emulator/pageframe.h"
#include "emulator/templategallery.h"
#include "emulator/widgetpages.h"
#include "platform/ansi.h"
#include "platform/vbtext.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QUrl>

namespace emu {

namespace {

QString Esc(const QString& s) { return s.toHtmlEscaped(); }

const QString kStyle = QStringLiteral(
    "body{font-family:sans-serif;margin:12px;color:#333;background:#fafafa}"
    "h1{font-size:18px;color:#336699}table{border-collapse:collapse}"
    "td,th{border:1px solid #ccc;padding:2px 6px;font-size:13px}");

// A page that says what it is; a request, when given, rides along as the body's data attributes.
QString Layout(const QString& title, const QString& body, const HttpRequest& r = HttpRequest()) {
    return ServicePageHtml(title, kStyle, QStringLiteral("<h1>%1</h1>\n").arg(Esc(title)) + body, r);
}

HttpResponse KeysPage(const HttpRequest& r, const QString& title, const QString& extra = QString()) {
    return HttpResponse::Html(Layout(title, extra, r));
}

HttpResponse NotFound(const HttpRequest& r) {
    return HttpResponse::Html(Layout(QStringLiteral("页面不存在"), QStringLiteral("<p>%1%2 不存在。</p>")
                                                                      .arg(Esc(r.host), Esc(r.path))), 404);
}

QByteArray ContentType(const QString& name) {
    const QString ext = name.section(QLatin1Char('.'), -1).toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return "image/jpeg";
    if (ext == QLatin1String("gif")) return "image/gif";
    if (ext == QLatin1String("png")) return "image/png";
    if (ext == QLatin1String("bmp")) return "image/bmp";
    if (ext == QLatin1String("swf")) return "application/x-shockwave-flash";
    return "application/octet-stream";
}

// A grey line one pixel high, the separator picture of the footer.
QByteArray LineGif() {
    static const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                        0x00, 0xcc, 0xcc, 0xcc, 0xff, 0xff, 0xff, 0x2c, 0x00, 0x00, 0x00, 0x00,
                                        0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
    return QByteArray(reinterpret_cast<const char*>(gif), sizeof gif);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A hosted file, or its stored thumbnail: at the file's address followed by ".jpg" (the thumbnail
// pages) or by the file's own last four characters (the list tab's preview), the same bytes. A
// stored file of the asked name comes first; a Flash file has no thumbnail.
HttpResponse HostedFilePage(const HttpRequest& r, Emulator& e) {
    const QStringList parts = r.path.split(QLatin1Char('/'), Qt::SkipEmptyParts);  // space, folder, album, file
    if (parts.size() != 4 || parts[0] != QLatin1String("space")) return NotFound(r);
    const HostedFile h = e.store().hostedFile(parts[1], parts[2], parts[3]);
    if (h.file) return HttpResponse::Bytes(ReadFile(h.path), ContentType(h.file->name));
    HostedFile original;
    if (parts[3].endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
        original = e.store().hostedFile(parts[1], parts[2], parts[3].chopped(4));
    if (!original.file && parts[3].size() > 4) {
        const QString base = parts[3].chopped(4);
        if (base.right(4) == parts[3].right(4)) original = e.store().hostedFile(parts[1], parts[2], base);
    }
    if (!original.file || original.file->name.endsWith(QLatin1String(".swf"), Qt::CaseInsensitive)) return NotFound(r);
    const QString thumb = ThumbnailPath(original.path);
    if (thumb.isEmpty()) return NotFound(r);
    return HttpResponse::Bytes(ReadFile(thumb), "image/jpeg");
}

// The picture that stands for an album frame in a stored post: a grey box.
QByteArray EffectPlaceholderGif() {
    QImage img(350, 210, QImage::Format_RGB32);
    img.fill(QColor(0xdd, 0xe6, 0xf0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

// While the home page is protected, a visitor first answers the member's question; the answer
// comes back as query key "answer" of the site's address.
HttpResponse VerificationPage(const HttpRequest& r, const Member& m) {
    const QString wrong = r.hasQueryKey(QStringLiteral("answer"))
                              ? QStringLiteral("<p class=\"wrong\">答案不正确，请您重新输入。</p>")
                              : QString();
    return HttpResponse::Html(Layout(
        QStringLiteral("网站验证"),
        QStringLiteral("<p>访问此网站前请先回答网站主人设置的问题：</p><p class=\"question\">%1</p>%2"
                       "<form method=\"get\" action=\"/\"><p>答案 <input name=\"answer\"></p>"
                       "<p><input type=\"submit\" value=\"进入网站\"></p></form>")
            .arg(Esc(m.protectionQuestion), wrong)));
}

HttpResponse MemberSitePage(const HttpRequest& r, const Member* m, Emulator& e) {
    if (r.path != QLatin1String("/") && r.path.compare(QLatin1String("/index.html"), Qt::CaseInsensitive) != 0)
        return NotFound(r);
    if (m && !m->protectionKey.isEmpty() && vb::Trim(r.queryValue(QStringLiteral("answer"))) != m->protectionAnswer)
        return VerificationPage(r, *m);
    const QString page = m ? e.store().sitePage(*m) : QString();
    if (page.isEmpty())
        return HttpResponse::Html(Layout(QStringLiteral("网站尚未开通"),
                                         QStringLiteral("<p>%1 还没有发布网站。</p>").arg(Esc(r.host))), 404);
    return HttpResponse::Bytes(AnsiCodec::encode(UnescapeBrackets(page)), "text/html; charset=GBK");
}

HttpResponse AdvertisingPage(const HttpRequest& r) {
    static const QRegularExpression login(QStringLiteral("^/pwtd/(\\d+)/loginad_(\\d+)\\.html$"));
    static const QRegularExpression reg(QStringLiteral("^/pwtd/(\\d+)/regad\\.html$"));
    static const QRegularExpression upload(QStringLiteral("^/pwtd/(\\d+)/upload\\.html$"));
    static const QRegularExpression waiting(QStringLiteral("^/ad/kr/(\\d+)/loginad_(\\d+)\\.html$"));
    static const QRegularExpression picManage(QStringLiteral("^/pwtd/(\\d+)/picmanage\\.html$"));
    static const QRegularExpression cellEditor(QStringLiteral("^/pwtd/(\\d+)/setpic\\.html$"));
    // Short texts about the program, as the service's weekly advertisements are.
    const auto ad = [&r](const char* heading, const char* text) {
        return HttpResponse::Html(ServicePageHtml(
            QString::fromUtf8(heading),
            QStringLiteral("html,body{margin:0;font-family:sans-serif;background:linear-gradient(#f4f8fc,#dde8f3);color:#234}"
                           "h1{font-size:18px;margin:10px 14px 4px;color:#2e6da4}p{margin:0 14px;font-size:13px;line-height:1.6}"),
            QStringLiteral("<h1>%1</h1><p>%2</p>").arg(QString::fromUtf8(heading), QString::fromUtf8(text)), r));
    };
    static const char* const kLoginAds[][2] = {
        {"Tavolin 个人网站", "33 个网页区域，所见即所得：换图片、写文字，点一下就发布。"},
        {"网站模板库", "几十种配色与版式，一键套用到您的网站。"},
        {"网络相册", "单张、十张一组或整个文件夹上传照片，随时与朋友分享。"},
    };
    if (cellEditor.match(r.path).hasMatch())
        return ad("区域设置小窍门", "给区域配上背景图和前景图，再写几行字，预览满意后按“确定”发布。");
    if (const auto m = login.match(r.path); m.hasMatch()) {
        const auto& text = kLoginAds[m.captured(2).toInt() % 3];
        return ad(text[0], text[1]);
    }
    if (reg.match(r.path).hasMatch()) return ad("注册成为会员", "注册后即可拥有自己的个人网站、网络相册和博客。");
    if (upload.match(r.path).hasMatch()) return ad("上传照片", "一次可以上传十张照片，也可以上传整个文件夹；大图会自动缩小。");
    if (waiting.match(r.path).hasMatch()) return ad("请稍候", "正在与服务器通信……您知道吗？网站模板可以一键套用。");
    if (picManage.match(r.path).hasMatch()) return ad("图片管理", "复制图片链接，就能把照片放进博客和微博里。");
    if (HttpResponse out; ServeMainWindowAdPage(r, &out)) return out;
    if (HttpResponse out; ServeImageEditorAdPage(r, &out)) return out;
    return NotFound(r);
}

HttpResponse AccountPage(const HttpRequest& r) {
    const QString path = r.path.toLower();
    if (path == QLatin1String("/buyspace.aspx")) {
        QString offers = QStringLiteral("<table><tr><th>空间</th><th>年费</th></tr>");
        for (const auto& row : {std::pair{"100M", "100元"}, {"200M", "180元"}, {"500M", "400元"}})
            offers += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(QString::fromUtf8(row.first), QString::fromUtf8(row.second));
        return KeysPage(r, QStringLiteral("购买网络空间"),
                        offers + QStringLiteral("</table><p>本地模拟服务不收费，也不会改变空间。</p>"));
    }
    if (path == QLatin1String("/sysinfo/notice.aspx"))
        return KeysPage(r, QStringLiteral("系统公告"),
                        QStringLiteral("<ul><li>新增六套网站模板，欢迎在“网站模板”中挑选。</li>"
                                       "<li>相册上传速度提升，整个文件夹也能一次上传。</li></ul>"));
    if (path == QLatin1String("/suggest.aspx"))
        return KeysPage(r, QStringLiteral("意见与建议"),
                        QStringLiteral("<form><p><textarea name=\"s\" rows=\"5\" cols=\"60\"></textarea></p>"
                                       "<p><input type=\"submit\" value=\"提交\"></p></form>"
                                       "<p>本地模拟服务不保存意见。</p>"));
    if (path == QLatin1String("/member/welcome.aspx"))
        return KeysPage(r, QStringLiteral("会员页面"), QStringLiteral("<p>欢迎回来！在这里可以查看您的空间、相册和博客。</p>"));
    if (path == QLatin1String("/member/realname.aspx"))
        return KeysPage(r, QStringLiteral("实名认证"), QStringLiteral("<p>本地模拟服务不做实名认证。</p>"));
    return NotFound(r);
}

}  // namespace

HttpResponse ServiceOverviewPage(const EndpointSpec& endpoint) {
    QString list = QStringLiteral("<ul>");
    for (const soap::WsdlOperation& op : endpoint.operations) {
        QStringList params;
        for (const soap::WsdlParam& p : op.inputs) params << p.name;
        list += QStringLiteral("<li>%1(%2)</li>").arg(op.name, params.join(QStringLiteral(", ")));
    }
    list += QStringLiteral("</ul><p><a href=\"?WSDL\">服务说明（WSDL）</a></p>");
    return HttpResponse::Html(Layout(endpoint.name, list));
}

HttpResponse ServePage(const HttpRequest& r, const HostInfo& host, Emulator& e) {
    if (r.method != "GET" && r.method != "HEAD") {
        HttpResponse out = HttpResponse::Text(QStringLiteral("不支持的请求方法。"), 405);
        out.headers.append(qMakePair(QByteArray("Allow"), QByteArray("GET, HEAD")));
        return out;
    }
    switch (host.kind) {
    case HostKind::Advertising: return AdvertisingPage(r);
    case HostKind::Account: return AccountPage(r);
    case HostKind::Recovery:
        if (r.path.compare(QLatin1String("/usersys/getbackpassword.aspx"), Qt::CaseInsensitive) == 0)
            return HttpResponse::Html(Layout(
                QStringLiteral("找回密码"),
                QStringLiteral("<p>请输入会员名和注册时填写的电子邮箱。</p><form><p>会员名 <input name=\"u\"></p>"
                               "<p>电子邮箱 <input name=\"e\"></p></form><p>本地模拟服务不发送邮件；"
                               "演示会员的密码见模拟器启动时的输出。</p>")));
        return NotFound(r);
    case HostKind::Frame:
        if (r.path.compare(QLatin1String("/images/vymline.gif"), Qt::CaseInsensitive) == 0)
            return HttpResponse::Bytes(LineGif(), "image/gif");
        if (HttpResponse out; ServeWidgetPage(r, e, &out)) return out;
        return NotFound(r);
    case HostKind::PhotoList:
        if (r.path.compare(QLatin1String("/images/slide_effect_350_210.gif"), Qt::CaseInsensitive) == 0)
            return HttpResponse::Bytes(EffectPlaceholderGif(), "image/png");
        return NotFound(r);
    case HostKind::Image: return HostedFilePage(r, e);
    case HostKind::MemberSite: return MemberSitePage(r, e.store().findByDomain(host.label), e);
    case HostKind::MobileSite: return MobileSitePage(r, e.store().findByDomain(host.label));
    case HostKind::Example:
        return MemberSitePage(r, e.store().findByDomain(ServiceLogic::Demo().domain), e);
    case HostKind::Local:
    case HostKind::Main:
        if (r.path == QLatin1String("/")) {
            QString list = QStringLiteral("<ul>");
            for (const EndpointSpec& ep : Endpoints())
                list += QStringLiteral("<li><a href=\"/services/%1.asmx\">%1</a></li>").arg(ep.name);
            const DemoMember demo = ServiceLogic::Demo();
            return HttpResponse::Html(Layout(QStringLiteral("Orbel 本地服务"),
                                             QStringLiteral("<p>域名 %1 的本地模拟服务。演示会员：%2</p>")
                                                     .arg(Esc(e.hosts().domain), Esc(demo.name)) + list + QStringLiteral("</ul>")));
        }
        if (HttpResponse out; ServeFreeProvisionPage(r, &out)) return out;
        if (HttpResponse out; ServeDomainAgreementPage(r, &out)) return out;
        if (HttpResponse out; ServeMusicPage(r, &out)) return out;
        if (r.path.compare(QLatin1String("/setpic.html"), Qt::CaseInsensitive) == 0)
            return KeysPage(r, QStringLiteral("区域设置常见问题解答"),
                            QStringLiteral("<p>如何设置区域的背景图、前景图和文字。</p>"));
        return NotFound(r);
    case HostKind::Materials: {
        HttpResponse out;
        if (ServeTemplateGallery(r, e.hosts().hostName(ServiceHost::Materials), &out)) return out;
        if (ServeMaterialsLibrary(r, e.hosts().hostName(ServiceHost::Materials), &out)) return out;
        return NotFound(r);
    }
    default: return NotFound(r);
    }
}

}  // namespace emu
