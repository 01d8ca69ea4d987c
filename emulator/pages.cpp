#include "emulator/pages.h"

#include "emulator/blogposts.h"
#include "emulator/domainpages.h"
#include "emulator/emulator.h"
#include "emulator/mainwindowpages.h"
#include "emulator/musicpages.h"
#include "emulator/materialslibrary.h"
#include "emulator/templategallery.h"
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

QString Layout(const QString& title, const QString& body) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n"
               "<style>body{font-family:sans-serif;margin:12px;color:#333;background:#fafafa}"
               "h1{font-size:18px;color:#336699}table{border-collapse:collapse}"
               "td,th{border:1px solid #ccc;padding:2px 6px;font-size:13px}</style></head>\n"
               "<body><h1>%1</h1>\n%2\n</body></html>\n")
        .arg(Esc(title), body);
}

// The query keys the page received, as a small table.
QString KeysTable(const HttpRequest& r) {
    const auto items = r.queryItems();
    if (items.isEmpty()) return QStringLiteral("<p>（没有查询参数）</p>");
    QString rows;
    for (const auto& item : items)
        rows += QStringLiteral("<tr><th>%1</th><td class=\"key-value\">%2</td></tr>").arg(Esc(item.first), Esc(item.second));
    return QStringLiteral("<table class=\"keys\">") + rows + QStringLiteral("</table>");
}

HttpResponse KeysPage(const HttpRequest& r, const QString& title, const QString& extra = QString()) {
    return HttpResponse::Html(Layout(title, extra + KeysTable(r)));
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

// The pictures of one of a member's albums, for the photo widgets.
QString AlbumPictures(const Member* m, const QString& albumName, Emulator& e) {
    if (!m) return QString();
    const Album* a = m->album(albumName);
    if (!a || a->files.isEmpty()) return QStringLiteral("<p>相册“%1”中还没有图片。</p>").arg(Esc(albumName));
    const QString host = QString(m->prefix).toLower().replace(QStringLiteral("www"), QStringLiteral("img")) +
                         QLatin1Char('.') + e.hosts().domain;
    // Each part of the path percent-encoded, so an album or file named with "#", "%" or "?" is
    // asked for whole; the hosted-file page reads the path decoded.
    const auto part = [](const QString& s) { return QString::fromLatin1(QUrl::toPercentEncoding(s)); };
    QString out = QStringLiteral("<div class=\"pictures\">");
    for (const StoredFile& f : a->files) {
        if (f.name.endsWith(QLatin1String(".swf"), Qt::CaseInsensitive)) continue;
        out += QStringLiteral("<img src=\"http://%1/space/%2/%3/%4\" height=\"80\" alt=\"%5\"> ")
                   .arg(host, part(m->folder), part(a->name), part(f.name), Esc(f.description));
    }
    return out + QStringLiteral("</div>");
}

HttpResponse WidgetPage(const HttpRequest& r, Emulator& e) {
    static const QHash<QString, QString> widgets{
        {QStringLiteral("/clock002.aspx"), QStringLiteral("时钟")},
        {QStringLiteral("/photoslide002.aspx"), QStringLiteral("三图滚动")},
        {QStringLiteral("/smallboard001.aspx"), QStringLiteral("留言板")},
        {QStringLiteral("/calendar002.aspx"), QStringLiteral("日历")},
        {QStringLiteral("/tbloglist001.aspx"), QStringLiteral("微博列表")},
        {QStringLiteral("/photo10list001.aspx"), QStringLiteral("十图滚动")},
        // The cell editor's preview of cell 12 asks the service's frame host for the same scroller.
        {QStringLiteral("/photolist10.aspx"), QStringLiteral("十图滚动")},
        {QStringLiteral("/albumlist001.aspx"), QStringLiteral("相册列表")},
        {QStringLiteral("/album001.aspx"), QStringLiteral("相册")},
        {QStringLiteral("/bloglist001.aspx"), QStringLiteral("博客列表")},
        {QStringLiteral("/blogframe001.aspx"), QStringLiteral("博客")},
        {QStringLiteral("/vyminfo001.aspx"), QStringLiteral("网站信息栏")},
        {QStringLiteral("/loginmyvym.aspx"), QStringLiteral("会员信息")},
        {QStringLiteral("/leaveword_manage.aspx"), QStringLiteral("留言管理")},
        {QStringLiteral("/msg_manage.aspx"), QStringLiteral("短消息管理")},
    };
    const QString path = r.path.toLower();
    const auto it = widgets.constFind(path);
    if (it == widgets.cend()) return NotFound(r);
    const Member* m = e.store().findByKey(r.queryValue(QStringLiteral("k1")));
    QString extra;
    if (m) extra = QStringLiteral("<p class=\"member\">会员：%1</p>").arg(Esc(m->name));
    // The photo widgets name their album in k2.
    static const QStringList photoWidgets{QStringLiteral("/clock002.aspx"), QStringLiteral("/photoslide002.aspx"),
                                          QStringLiteral("/calendar002.aspx"), QStringLiteral("/photo10list001.aspx"),
                                          QStringLiteral("/photolist10.aspx"), QStringLiteral("/album001.aspx")};
    if (photoWidgets.contains(path)) extra += AlbumPictures(m, r.queryValue(QStringLiteral("k2")), e);
    const QString frameHost = e.hosts().hostName(ServiceHost::Frame);
    if (path == QLatin1String("/bloglist001.aspx") && m) extra += BlogPostsHtml(*m, frameHost, false);
    if (path == QLatin1String("/blogframe001.aspx") && m) extra += BlogPostsHtml(*m, frameHost, true);
    if (path == QLatin1String("/albumlist001.aspx") && m) {
        // The home-page album frame as last stored, in slot order; empty slots show nothing.
        extra += QStringLiteral("<ul class=\"homealbums\">");
        for (const QString& name : m->homeAlbums)
            if (const Album* a = name.isEmpty() ? nullptr : m->album(name))
                extra += QStringLiteral("<li>%1（%2）</li>").arg(Esc(a->name)).arg(a->files.size());
        extra += QStringLiteral("</ul>");
    }
    return KeysPage(r, it.value(), extra);
}

// The album frame of a blog post: k1 the member name, k2 the album (its letter case may be lost
// on the way through a post), k3 the member's server prefix.
HttpResponse BlogAlbumPage(const HttpRequest& r, Emulator& e) {
    const Member* m = e.store().find(r.queryValue(QStringLiteral("k1")).toLower());
    QString album = r.queryValue(QStringLiteral("k2"));
    if (m)
        for (const Album& a : m->albums)
            if (a.name.compare(album, Qt::CaseInsensitive) == 0) album = a.name;
    const QString extra = m ? QStringLiteral("<p class=\"member\">会员：%1</p>").arg(Esc(m->name)) +
                                  AlbumPictures(m, album, e)
                            : QStringLiteral("<p>没有这位会员。</p>");
    return KeysPage(r, QStringLiteral("相册"), extra);
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
    static const QRegularExpression writeText(QStringLiteral("^/pwtd/(\\d+)/setpic1\\.html$"));
    if (const auto m = cellEditor.match(r.path); m.hasMatch())
        return KeysPage(r, QStringLiteral("区域设置广告"), QStringLiteral("<p>第 %1 周的区域设置广告页。</p>").arg(m.captured(1)));
    if (const auto m = writeText.match(r.path); m.hasMatch())
        return KeysPage(r, QStringLiteral("图片写字广告"), QStringLiteral("<p>第 %1 周的图片写字广告页。</p>").arg(m.captured(1)));
    if (const auto m = login.match(r.path); m.hasMatch())
        return KeysPage(r, QStringLiteral("登录广告 %1").arg(m.captured(2)),
                        QStringLiteral("<p>第 %1 周的登录广告页。</p>").arg(m.captured(1)));
    if (const auto m = reg.match(r.path); m.hasMatch())
        return KeysPage(r, QStringLiteral("注册广告"), QStringLiteral("<p>第 %1 周的注册广告页。</p>").arg(m.captured(1)));
    if (const auto m = upload.match(r.path); m.hasMatch())
        return KeysPage(r, QStringLiteral("上传广告"), QStringLiteral("<p>第 %1 周的上传窗口广告页。</p>").arg(m.captured(1)));
    if (const auto m = waiting.match(r.path); m.hasMatch())
        return KeysPage(r, QStringLiteral("等待广告 %1").arg(m.captured(2)),
                        QStringLiteral("<p>第 %1 周的等待广告页。</p>").arg(m.captured(1)));
    if (const auto m = picManage.match(r.path); m.hasMatch())
        return KeysPage(r, QStringLiteral("图像管理广告"), QStringLiteral("<p>第 %1 周的图像管理广告页。</p>").arg(m.captured(1)));
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
    if (path == QLatin1String("/sysinfo/notice.aspx")) return KeysPage(r, QStringLiteral("系统公告"));
    if (path == QLatin1String("/suggest.aspx"))
        return KeysPage(r, QStringLiteral("意见与建议"),
                        QStringLiteral("<form><p><textarea name=\"s\" rows=\"5\" cols=\"60\"></textarea></p>"
                                       "<p><input type=\"submit\" value=\"提交\"></p></form>"
                                       "<p>本地模拟服务不保存意见。</p>"));
    if (path == QLatin1String("/member/welcome.aspx")) return KeysPage(r, QStringLiteral("会员页面"));
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
        if (r.path.compare(QLatin1String("/album0002.aspx"), Qt::CaseInsensitive) == 0) return BlogAlbumPage(r, e);
        return WidgetPage(r, e);
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
