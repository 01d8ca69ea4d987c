#include "emulator/domainpages.h"

#include "emulator/memberstore.h"

namespace emu {

namespace {

QString Page(const QString& title, const QString& body) {
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n"
                          "<style>body{font-family:sans-serif;margin:8px;color:#333;font-size:28px}"
                          "h1{font-size:34px;color:#336699}</style></head>\n<body><h1>%1</h1>\n%2\n</body></html>\n")
        .arg(title.toHtmlEscaped(), body);
}

}  // namespace

bool ServeDomainAgreementPage(const HttpRequest& r, HttpResponse* out) {
    if (r.path.compare(QLatin1String("/dnsagreement.html"), Qt::CaseInsensitive) != 0) return false;
    *out = HttpResponse::Html(Page(
        QStringLiteral("子域名注册协议"),
        QStringLiteral("<ol>\n<li>每个会员名只能注册一个域名，域名注册成功后不能修改。</li>\n"
                       "<li>域名与网络空间的时效绑定，空间到期后域名失效并释放。</li>\n"
                       "<li>请勿利用域名从事违法活动。</li>\n</ol>\n"
                       "<p>会员：<span class=\"key-value\">%1</span>，服务器：<span class=\"key-value\">%2</span></p>\n"
                       "<p>本页由本地模拟服务提供。</p>")
            .arg(r.queryValue(QStringLiteral("k1")).toHtmlEscaped(), r.queryValue(QStringLiteral("k2")).toHtmlEscaped())));
    return true;
}

HttpResponse MobileSitePage(const HttpRequest& r, const Member* m) {
    if (!m)
        return HttpResponse::Html(Page(QStringLiteral("手机网站尚未开通"),
                                       QStringLiteral("<p>%1 还没有开通手机网站。</p>").arg(r.host.toHtmlEscaped())),
                                  404);
    const QString name = m->name.toHtmlEscaped();
    if (r.path == QLatin1String("/") || r.path.compare(QLatin1String("/index.html"), Qt::CaseInsensitive) == 0)
        return HttpResponse::Html(
            Page(name + QStringLiteral("的手机网站"),
                 QStringLiteral("<p id=\"intro\">欢迎访问 %1 的手机网站。</p>\n"
                                "<p><a id=\"next\" href=\"/2.html\">下一页</a></p>\n"
                                "<p><a id=\"newwindow\" href=\"/2.html\" target=\"_blank\">在新窗口中打开</a></p>")
                     .arg(name)));
    if (r.path.compare(QLatin1String("/2.html"), Qt::CaseInsensitive) == 0)
        return HttpResponse::Html(Page(name + QStringLiteral("的手机网站（第二页）"),
                                       QStringLiteral("<p id=\"second\">第二页。</p>\n<p><a href=\"/\">返回首页</a></p>")));
    return HttpResponse::Html(Page(QStringLiteral("页面不存在"), QStringLiteral("<p>页面不存在。</p>")), 404);
}

}  // namespace emu
