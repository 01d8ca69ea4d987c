#include "emulator/widgetpages.h"

#include "emulator/blogposts.h"
#include "emulator/emulator.h"
#include "emulator/pageframe.h"

#include <QDate>
#include <QTime>
#include <QUrl>

namespace emu {

namespace {

QString Esc(const QString& s) { return s.toHtmlEscaped(); }

const QString kBase = QStringLiteral(
    "html,body{margin:0;padding:0;overflow:hidden;font-family:sans-serif;font-size:12px;color:#334;background:transparent}");

HttpResponse Page(const QString& title, const QString& style, const QString& body, const HttpRequest& r) {
    return HttpResponse::Html(ServicePageHtml(title, kBase + style, body, r));
}

// The last n of the pictures (all when n is 0).
QStringList Last(const QStringList& all, int n) { return n > 0 && all.size() > n ? all.mid(all.size() - n) : all; }

QString EmptyNote(const QString& text) { return QStringLiteral("<p class=\"empty\">%1</p>").arg(Esc(text)); }

// The clock: the album's picture of this hour behind a clock that runs.
HttpResponse Clock(const HttpRequest& r, const QStringList& pictures) {
    const QString picture = pictures.isEmpty() ? QString() : pictures[QTime::currentTime().hour() % pictures.size()];
    const QString back = picture.isEmpty() ? QStringLiteral("background:linear-gradient(#5b86b5,#b9d3ee)")
                                           : QStringLiteral("background:url('%1') center/cover").arg(picture);
    return Page(QStringLiteral("时钟"),
                QStringLiteral("#face{width:150px;height:150px;%1;position:relative}"
                               "#panel{position:absolute;left:10px;right:10px;bottom:12px;background:rgba(0,0,0,.45);"
                               "color:#fff;text-align:center;border-radius:6px;padding:4px 0}"
                               "#time{font-size:24px;font-weight:bold;letter-spacing:1px}#date{font-size:11px}")
                    .arg(back),
                QStringLiteral("<div id=\"face\"><div id=\"panel\"><div id=\"time\">%1</div><div id=\"date\">%2</div></div></div>\n"
                               "<script>function two(n){return(n<10?'0':'')+n}"
                               "function tick(){var d=new Date();document.getElementById('time').textContent="
                               "two(d.getHours())+':'+two(d.getMinutes())+':'+two(d.getSeconds());"
                               "document.getElementById('date').textContent=(d.getMonth()+1)+'月'+d.getDate()+'日';}"
                               "tick();setInterval(tick,1000);</script>")
                    .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                         QDate::currentDate().toString(QStringLiteral("M月d日"))),
                r);
}

// A slide show: one picture at a time, the next every few seconds.
HttpResponse Slides(const HttpRequest& r, const QString& title, const QStringList& pictures, int w, int h) {
    QString slides;
    for (int i = 0; i < pictures.size(); ++i)
        slides += QStringLiteral("<img src=\"%1\" class=\"slide%2\" alt=\"\">").arg(pictures[i], i == 0 ? QStringLiteral(" on") : QString());
    if (pictures.isEmpty()) slides = EmptyNote(QStringLiteral("相册中还没有图片。"));
    return Page(title,
                QStringLiteral("#show{width:%1px;height:%2px;position:relative;background:#223}"
                               "#show img{position:absolute;left:0;top:0;width:100%;height:100%;object-fit:cover;display:none}"
                               "#show img.on{display:block}.empty{color:#dde;text-align:center;padding-top:40%}")
                    .arg(w)
                    .arg(h),
                QStringLiteral("<div id=\"show\">%1</div>\n<script>var i=0,s=document.querySelectorAll('#show img');"
                               "if(s.length>1)setInterval(function(){s[i].className='slide';i=(i+1)%s.length;"
                               "s[i].className='slide on';},3000);</script>")
                    .arg(slides),
                r);
}

// A strip of small pictures that moves on by one picture every few seconds.
HttpResponse Strip(const HttpRequest& r, const QStringList& pictures) {
    QString items;
    for (const QString& p : pictures) items += QStringLiteral("<img src=\"%1\" alt=\"\">").arg(p);
    if (pictures.isEmpty()) items = EmptyNote(QStringLiteral("相册中还没有图片。"));
    return Page(QStringLiteral("十图滚动"),
                QStringLiteral(".pictures{width:600px;height:100px;overflow:hidden;white-space:nowrap}"
                               ".pictures img{height:90px;width:120px;object-fit:cover;margin:5px 3px;border:1px solid #fff}"
                               ".empty{text-align:center;line-height:100px;margin:0}"),
                QStringLiteral("<div class=\"pictures\">%1</div>\n<script>var s=document.querySelector('.pictures');"
                               "setInterval(function(){var f=s.querySelector('img');if(f&&s.children.length>5)s.appendChild(f);},2500);"
                               "</script>")
                    .arg(items),
                r);
}

// This month's calendar under the album's picture of the day.
HttpResponse Calendar(const HttpRequest& r, const QStringList& pictures) {
    const QDate today = QDate::currentDate();
    const QString picture = pictures.isEmpty() ? QString() : pictures[(today.day() - 1) % pictures.size()];
    QString rows = QStringLiteral("<tr><th>一</th><th>二</th><th>三</th><th>四</th><th>五</th><th>六</th><th>日</th></tr><tr>");
    const QDate first(today.year(), today.month(), 1);
    for (int i = 1; i < first.dayOfWeek(); ++i) rows += QStringLiteral("<td></td>");
    for (int day = 1; day <= today.daysInMonth(); ++day) {
        const QDate d(today.year(), today.month(), day);
        rows += QStringLiteral("<td%1>%2</td>").arg(day == today.day() ? QStringLiteral(" class=\"today\"") : QString()).arg(day);
        if (d.dayOfWeek() == 7 && day < today.daysInMonth()) rows += QStringLiteral("</tr><tr>");
    }
    rows += QStringLiteral("</tr>");
    const QString top = picture.isEmpty() ? QStringLiteral("<div id=\"pic\"></div>")
                                          : QStringLiteral("<div id=\"pic\" style=\"background-image:url('%1')\"></div>").arg(picture);
    return Page(QStringLiteral("日历"),
                QStringLiteral("#cal{width:150px;height:360px;background:#fff}"
                               "#pic{height:170px;background:linear-gradient(#8fb3d9,#e3eef9) center/cover}"
                               "h2{margin:6px 0 4px;font-size:14px;text-align:center;color:#456}"
                               "table{border-collapse:collapse;margin:0 auto}th,td{width:20px;height:20px;text-align:center;font-size:11px}"
                               "th{color:#789}td.today{background:#e67e22;color:#fff;border-radius:10px}"),
                QStringLiteral("<div id=\"cal\">%1<h2>%2年%3月</h2><table>%4</table></div>")
                    .arg(top)
                    .arg(today.year())
                    .arg(today.month())
                    .arg(rows),
                r);
}

struct Entry {
    const char* name;
    int daysAgo;
    const char* text;
};

// What visitors left: the service keeps no visitors' messages here, so every board shows these.
const Entry kGuestbook[] = {
    {"小雨", 1, "网站做得真漂亮，照片拍得也好！"},
    {"老王", 3, "路过，留个脚印，祝一切顺利。"},
    {"阿花", 6, "什么时候再去海边？带上我吧。"},
};
const Entry kMessages[] = {
    {"系统消息", 0, "欢迎使用 Tavolin，您的网站已经开通。"},
    {"小雨", 2, "你好，能把上次的照片发给我吗？"},
};

QString Entries(const Entry* entries, int count) {
    QString out;
    for (int i = 0; i < count; ++i)
        out += QStringLiteral("<div class=\"entry\"><p class=\"who\">%1 <span>%2</span></p><p>%3</p></div>")
                   .arg(QString::fromUtf8(entries[i].name),
                        QDate::currentDate().addDays(-entries[i].daysAgo).toString(QStringLiteral("yyyy-MM-dd")),
                        QString::fromUtf8(entries[i].text));
    return out;
}

const QString kEntryStyle = QStringLiteral(
    ".entry{border-bottom:1px dashed #ccd;padding:4px 8px}.entry p{margin:2px 0}.who{font-weight:bold;color:#357}"
    ".who span{font-weight:normal;color:#99a;font-size:11px}h2{margin:0;padding:6px 8px;font-size:14px;color:#fff;background:#5b86b5}"
    ".empty{padding:8px;color:#889}");

HttpResponse Board(const HttpRequest& r) {
    return Page(QStringLiteral("留言板"), kEntryStyle + QStringLiteral("body{background:#fff}"),
                QStringLiteral("<h2>留言板</h2>") + Entries(kGuestbook, 3) +
                    QStringLiteral("<p style=\"text-align:right;padding:4px 8px;margin:0\"><a href=\"#\">我要留言</a></p>"),
                r);
}

QString MemberLine(const Member* m) {
    return m ? QStringLiteral("<p class=\"member\">会员：%1</p>").arg(Esc(m->name)) : QStringLiteral("<p>没有这位会员。</p>");
}

QString PageTitleBar(const QString& title) { return QStringLiteral("<h2>%1</h2>").arg(Esc(title)); }

}  // namespace

QStringList AlbumPictureUrls(const Member* m, const QString& albumName, Emulator& e) {
    if (!m) return {};
    const Album* a = m->album(albumName);
    if (!a) return {};
    const QString host = QString(m->prefix).toLower().replace(QStringLiteral("www"), QStringLiteral("img")) +
                         QLatin1Char('.') + e.hosts().domain;
    // Each part of the path percent-encoded, so an album or file named with "#", "%" or "?" is
    // asked for whole; the hosted-file page reads the path decoded.
    const auto part = [](const QString& s) { return QString::fromLatin1(QUrl::toPercentEncoding(s)); };
    QStringList out;
    for (const StoredFile& f : a->files)
        if (!f.name.endsWith(QLatin1String(".swf"), Qt::CaseInsensitive))
            out << QStringLiteral("http://%1/space/%2/%3/%4").arg(host, part(m->folder), part(a->name), part(f.name));
    return out;
}

bool ServeWidgetPage(const HttpRequest& r, Emulator& e, HttpResponse* out) {
    const QString path = r.path.toLower();
    const Member* m = e.store().findByKey(r.queryValue(QStringLiteral("k1")));
    const QString album = r.queryValue(QStringLiteral("k2"));
    const QString frameHost = e.hosts().hostName(ServiceHost::Frame);
    if (path == QLatin1String("/clock002.aspx")) {
        *out = Clock(r, Last(AlbumPictureUrls(m, album, e), 12));
    } else if (path == QLatin1String("/photoslide002.aspx")) {
        *out = Slides(r, QStringLiteral("三图滚动"), Last(AlbumPictureUrls(m, album, e), 3), 350, 210);
    } else if (path == QLatin1String("/calendar002.aspx")) {
        *out = Calendar(r, Last(AlbumPictureUrls(m, album, e), 31));
    } else if (path == QLatin1String("/photo10list001.aspx") || path == QLatin1String("/photolist10.aspx")) {
        // The cell editor's preview of cell 12 asks for the same scroller under its own name.
        *out = Strip(r, Last(AlbumPictureUrls(m, album, e), 10));
    } else if (path == QLatin1String("/smallboard001.aspx")) {
        *out = Board(r);
    } else if (path == QLatin1String("/tbloglist001.aspx")) {
        *out = Page(QStringLiteral("微博"),
                    kEntryStyle + QStringLiteral("body{background:#fff;overflow:auto}"
                                                 ".tblog-pic img{max-width:100%;max-height:160px;border:2px solid #fff;box-shadow:0 1px 3px #889}"),
                    PageTitleBar(QStringLiteral("我的微博")) +
                        (m ? MicroBlogPostsHtml(*m) : EmptyNote(QStringLiteral("没有这位会员。"))),
                    r);
    } else if (path == QLatin1String("/albumlist001.aspx")) {
        // The home-page album frame as last stored, in slot order; empty slots show nothing.
        QString items;
        if (m)
            for (const QString& name : m->homeAlbums)
                if (const Album* a = name.isEmpty() ? nullptr : m->album(name)) {
                    const QStringList pictures = AlbumPictureUrls(m, a->name, e);
                    items += QStringLiteral("<li>%1（%2）<br>%3</li>")
                                 .arg(Esc(a->name))
                                 .arg(a->files.size())
                                 .arg(pictures.isEmpty() ? QStringLiteral("<span class=\"none\"></span>")
                                                         : QStringLiteral("<img src=\"%1.jpg\" alt=\"\">").arg(pictures.first()));
                }
        items = items.isEmpty() ? EmptyNote(QStringLiteral("还没有相册。")) : QStringLiteral("<ul class=\"homealbums\">") + items + QStringLiteral("</ul>");
        *out = Page(QStringLiteral("相册列表"),
                    kEntryStyle + QStringLiteral("ul{list-style:none;margin:0;padding:0}li{text-align:center;padding:8px 4px}"
                                                 "li img,.none{width:110px;height:82px;margin-top:4px;object-fit:cover;border:3px solid #fff;"
                                                 "box-shadow:0 1px 3px #889;display:inline-block;background:#dde}"),
                    PageTitleBar(QStringLiteral("相册")) + items, r);
    } else if (path == QLatin1String("/album001.aspx")) {
        QString items;
        const Album* a = m ? m->album(album) : nullptr;
        const QStringList pictures = AlbumPictureUrls(m, album, e);
        for (int i = 0; i < pictures.size(); ++i)
            items += QStringLiteral("<div class=\"pic\"><img src=\"%1\" alt=\"\"><p>%2</p></div>")
                         .arg(pictures[i], a ? Esc(a->files.value(i).description) : QString());
        if (items.isEmpty()) items = EmptyNote(QStringLiteral("相册“%1”中还没有图片。").arg(album));
        *out = Page(QStringLiteral("相册"),
                    kEntryStyle + QStringLiteral(".pic{display:inline-block;width:200px;margin:8px;text-align:center;vertical-align:top}"
                                                 ".pic img{width:196px;height:147px;object-fit:cover;border:2px solid #fff;"
                                                 "box-shadow:0 1px 3px #889}.pic p{margin:4px 0;min-height:14px}"),
                    PageTitleBar(album) + items, r);
    } else if (path == QLatin1String("/bloglist001.aspx") || path == QLatin1String("/blogframe001.aspx")) {
        const bool whole = path == QLatin1String("/blogframe001.aspx");
        *out = Page(whole ? QStringLiteral("博客") : QStringLiteral("博客列表"),
                    kEntryStyle + QStringLiteral("body{overflow:auto}.blog{padding:6px 10px;border-bottom:1px dashed #ccd}"
                                                 ".blog h2{background:none;color:#357;padding:0;font-size:14px}.blog-info{color:#99a;margin:2px 0}"),
                    PageTitleBar(whole ? QStringLiteral("我的博客") : QStringLiteral("博客文章")) +
                        (m ? BlogPostsHtml(*m, frameHost, whole) : EmptyNote(QStringLiteral("没有这位会员。"))),
                    r);
    } else if (path == QLatin1String("/vyminfo001.aspx")) {
        *out = Page(QStringLiteral("网站信息栏"), QStringLiteral("body{text-align:center;line-height:24px;color:#667}"),
                    QStringLiteral("本网站用 Tavolin 个人网站自助创建软件制作 · 今天是 %1")
                        .arg(QDate::currentDate().toString(QStringLiteral("yyyy年M月d日"))),
                    r);
    } else if (path == QLatin1String("/loginmyvym.aspx")) {
        QString info = MemberLine(m);
        if (m)
            info += QStringLiteral("<p>网络空间：已用 %1 KB，共 %2 KB</p><p>相册 %3 个，博客 %4 篇</p>")
                        .arg(m->usedKb())
                        .arg(m->quotaKb)
                        .arg(m->albums.size())
                        .arg(m->blogs.size());
        *out = Page(QStringLiteral("会员信息"), kEntryStyle + QStringLiteral("body{overflow:auto;background:#fff}p{padding:0 8px}"),
                    PageTitleBar(QStringLiteral("会员信息")) + info, r);
    } else if (path == QLatin1String("/leaveword_manage.aspx")) {
        *out = Page(QStringLiteral("留言管理"), kEntryStyle + QStringLiteral("body{overflow:auto;background:#fff}"),
                    PageTitleBar(QStringLiteral("留言管理")) + MemberLine(m) + Entries(kGuestbook, 3), r);
    } else if (path == QLatin1String("/msg_manage.aspx")) {
        *out = Page(QStringLiteral("短消息管理"), kEntryStyle + QStringLiteral("body{overflow:auto;background:#fff}"),
                    PageTitleBar(QStringLiteral("短消息管理")) + MemberLine(m) + Entries(kMessages, 2), r);
    } else if (path == QLatin1String("/album0002.aspx")) {
        // The album frame of a blog post: k1 the member's name, k2 the album (its letter case may
        // be lost on the way through a post), k3 the member's server prefix.
        const Member* owner = e.store().find(r.queryValue(QStringLiteral("k1")).toLower());
        QString name = album;
        if (owner)
            for (const Album& a : owner->albums)
                if (a.name.compare(album, Qt::CaseInsensitive) == 0) name = a.name;
        *out = Slides(r, QStringLiteral("相册"), AlbumPictureUrls(owner, name, e), 600, 500);
        if (!owner) *out = Page(QStringLiteral("相册"), QString(), EmptyNote(QStringLiteral("没有这位会员。")), r);
    } else {
        return false;
    }
    return true;
}

}  // namespace emu
