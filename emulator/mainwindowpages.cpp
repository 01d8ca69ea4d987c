#include "emulator/mainwindowpages.h"

#include "emulator/pageframe.h"

#include <QRegularExpression>

namespace emu {

namespace {

QString Esc(const QString& s) { return s.toHtmlEscaped(); }

QString StripPage(const QString& week, const HttpRequest& r) {
    static const char* const kColours[10] = {"#E8F1FB", "#FDF1E3", "#E9F7EC", "#F6EAF7", "#FFF8D9",
                                             "#E6F4F4", "#FBE8E8", "#EEEEF9", "#F1F6E4", "#F4EEE6"};
    static const char* const kTexts[10] = {
        "欢迎使用个人网站自助创建软件：33 个网页区域，所见即所得。",
        "网站模板库：从数十种模板中挑选，一键套用到您的网站。",
        "相册：单张、十张一组或整个文件夹上传照片到您的网络相册。",
        "博客与微博：随时记录生活，与朋友和家人分享。",
        "注册属于您自己的网站域名，开通后即可访问您的网站。",
        "背景音乐与歌词：为网站配上您喜欢的音乐。",
        "网站首页加密：只有答对问题的访客才能进入您的网站。",
        "图像编辑：剪裁、文字水印、图片水印与边框，一应俱全。",
        "手机网站：在手机上也能浏览您的网站。",
        "购买网络空间：更大的空间，存放更多的照片和文件。",
    };
    QString pages;
    for (int i = 0; i < 10; ++i) {
        pages += QStringLiteral(
                     "<div class=\"page\" id=\"page%1\" style=\"background:%2\"><span class=\"no\">%1/10</span>"
                     "<span class=\"text\">%3</span></div>\n")
                     .arg(i + 1)
                     .arg(QString::fromLatin1(kColours[i]), QString::fromUtf8(kTexts[i]));
    }
    return QStringLiteral(
               "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>第 %1 周广告</title>\n"
               "<style>html,body{margin:0;padding:0;overflow:hidden;font-family:sans-serif}"
               ".page{height:70px;box-sizing:border-box;padding:8px 40px 0 16px;border-bottom:1px solid #ccd}"
               ".no{float:right;color:#889;font-size:12px}.text{font-size:18px;color:#234;line-height:30px;display:block}"
               "</style></head>\n<body%3>\n%2</body></html>\n")
        .arg(Esc(week), pages, KeyAttributes(r));
}

QString InfoLinePage(const QString& week, const HttpRequest& r) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>信息栏</title>\n"
               "<style>html,body{margin:0;padding:0;overflow:hidden;font-family:sans-serif;font-size:12px;"
               "color:#345;background:#F7F9FC;white-space:nowrap;line-height:22px}</style></head>\n"
               "<body%2>&nbsp;本周（%1）提示：上传照片后，可在“图片管理”中复制图片链接。</body></html>\n")
        .arg(Esc(week), KeyAttributes(r));
}

// The image editor's strips: ten numbered pages side by side (the left strip, 141 px a page) or
// one under another (the top strip, 122 px a page).
QString EditorStripPage(const QString& week, const HttpRequest& r, bool sideBySide) {
    static const char* const kTexts[10] = {
        "剪裁：把白色虚线框内的部分保存下来。", "缩放：按倍数或用滑块缩放图像。", "文字水印：两行文字，任意字体和颜色。",
        "文字说明：在图像上写一段说明。",     "边框：给图像套上漂亮的边框。",   "插入图片：在图像上放一张小图片。",
        "合并图层：合并后可继续添加。",       "保存：保存为 JPEG 文件。",       "上传：把编辑好的图像放进相册。",
        "网络空间：存放更多的照片。",
    };
    QString pages;
    for (int i = 0; i < 10; ++i)
        pages += QStringLiteral("<div class=\"page\" id=\"page%1\"><span class=\"no\">%1</span>"
                                "<span class=\"text\">%2</span></div>\n")
                     .arg(i + 1)
                     .arg(QString::fromUtf8(kTexts[i]));
    const QString pageStyle =
        sideBySide ? QStringLiteral(".page{float:left;width:141px;height:100%;min-height:600px;border-right:1px solid #ccd}")
                   : QStringLiteral(".page{height:122px;border-bottom:1px solid #ccd}");
    return QStringLiteral(
               "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>第 %1 周图像编辑广告</title>\n"
               "<style>html,body{margin:0;padding:0;overflow:hidden;font-family:sans-serif;background:#F7F9FC}"
               "body{width:%2}.page{box-sizing:border-box;padding:8px;overflow:hidden}%3"
               ".no{display:block;font-size:28px;color:#9ab}.text{display:block;font-size:14px;color:#234}"
               "</style></head>\n<body%5>\n%4</body></html>\n")
        .arg(Esc(week), sideBySide ? QStringLiteral("1410px") : QStringLiteral("auto"), pageStyle, pages, KeyAttributes(r));
}

}  // namespace

bool ServeImageEditorAdPage(const HttpRequest& r, HttpResponse* out) {
    static const QRegularExpression page(QStringLiteral("^/pwtd/(\\d+)/picedit([12])\\.html$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = page.match(r.path);
    if (!m.hasMatch()) return false;
    *out = HttpResponse::Html(EditorStripPage(m.captured(1), r, m.captured(2) == QLatin1String("1")));
    return true;
}

bool ServeMainWindowAdPage(const HttpRequest& r, HttpResponse* out) {
    static const QRegularExpression strip(QStringLiteral("^/pwtd/(\\d+)/softmain\\.html$"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression info(QStringLiteral("^/pwtd/(\\d+)/softmainad2\\.html$"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (const auto m = strip.match(r.path); m.hasMatch()) {
        *out = HttpResponse::Html(StripPage(m.captured(1), r));
        return true;
    }
    if (const auto m = info.match(r.path); m.hasMatch()) {
        *out = HttpResponse::Html(InfoLinePage(m.captured(1), r));
        return true;
    }
    return false;
}

bool ServeFreeProvisionPage(const HttpRequest& r, HttpResponse* out) {
    if (r.path.compare(QLatin1String("/freeprovision.html"), Qt::CaseInsensitive) != 0) return false;
    *out = HttpResponse::Html(QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>免费使用条款</title>\n"
        "<style>body{font-family:sans-serif;margin:16px;color:#333;line-height:1.6}h1{font-size:18px;color:#336699}"
        "</style></head>\n<body><h1>免费使用条款</h1>\n<ol>\n"
        "<li>免费会员可免费使用网络空间，空间大小以登录时显示的为准。</li>\n"
        "<li>免费会员必须在规定的天数内至少登录本软件一次，否则空间可能被收回。</li>\n"
        "<li>请勿上传违法或侵权的内容。</li>\n"
        "</ol>\n<p>本页由本地模拟服务提供。</p>\n</body></html>\n"));
    return true;
}

}  // namespace emu
