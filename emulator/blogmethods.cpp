// The blog posts (publishing a new post and replacing one) and the micro-blog posts, and their pages.
#include "emulator/blogposts.h"
#include "emulator/servicelogic.h"

#include "platform/vberror.h"

#include <QDateTime>
#include <QRegularExpression>

namespace emu {

namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
// How the micro-blog list shows a post's time: its key is the time to the second.
const QString kShownTimeFormat = QStringLiteral("yyyy年M月d日 HH:mm");

// A range bound as the program sends it: a whole time, or a day taken from its start or its end.
QDateTime RangeBound(const QString& text, bool end) {
    const QDateTime whole = QDateTime::fromString(text, kStampFormat);
    if (whole.isValid()) return whole;
    const QDate day = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    if (!day.isValid()) return {};
    return QDateTime(day, end ? QTime(23, 59, 59) : QTime(0, 0));
}

// The service keeps these words out of what it sends; the program puts them back.
QString EscapeSqlWords(QString text) {
    static const char* const kPairs[][2] = {
        {"--", "[__]"},          {"insert", "[_insert_]"}, {"delete", "[_delete_]"},
        {"INSERT", "[_INSERT_]"}, {"DELETE", "[_DELETE_]"}, {"net user", "[_net user_]"},
        {"NET USER", "[_NET USER_]"}, {"from", "[_from_]"},   {"FROM", "[_FROM_]"},
    };
    for (const auto& p : kPairs) text.replace(QLatin1String(p[0]), QLatin1String(p[1]));
    return text;
}

// Whether a stored time lies in the range of a list call's two bounds (an unreadable one: nothing does).
struct TimeRange {
    QDateTime from, to;
    TimeRange(const QString& start, const QString& end) : from(RangeBound(start, false)), to(RangeBound(end, true)) {}
    bool valid() const { return from.isValid() && to.isValid(); }
    bool contains(const QString& stamp) const {
        const QDateTime time = QDateTime::fromString(stamp, kStampFormat);
        return time >= from && time <= to;
    }
};

// Keeps a text from ending a field, row or table of a reply whose separators are not escaped.
QString KeepSeparatorsOut(QString text) {
    for (const char* separator : {"</F>", "<//R>", "<///T>"})
        text.replace(QLatin1String(separator), QStringLiteral("&lt;") + QLatin1String(separator + 1));
    return text;
}

}  // namespace

QList<BlogPost>::iterator ServiceLogic::findBlog(Member& m, const QString& time, const QString& title) {
    return std::find_if(m.blogs.begin(), m.blogs.end(),
                        [&](const BlogPost& b) { return b.time == time && b.title == title; });
}

QString ServiceLogic::UploadBlog(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    if (a.value(3).isEmpty()) return QStringLiteral("Error_0003");
    try {
        m_store.storeBlog(*m, BlogPost{m_store.newStamp(), a.value(3), a.value(4), a.value(5)});
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::EditBlog(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const QString& time = a.value(3);
    const auto post = std::find_if(m->blogs.begin(), m->blogs.end(), [&](const BlogPost& b) { return b.time == time; });
    if (post == m->blogs.end()) return QStringLiteral("Error_0002");
    if (a.value(5).isEmpty()) return QStringLiteral("Error_0003");
    try {
        m_store.storeBlog(*m, BlogPost{time, a.value(5), a.value(6), a.value(7)});
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::GetBlogList(const QStringList& a) {
    const Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const TimeRange range(a.value(3), a.value(4));
    if (!range.valid()) return QStringLiteral("Error_0003");
    QString table;
    for (auto it = m->blogs.crbegin(); it != m->blogs.crend(); ++it) {
        if (!range.contains(it->time)) continue;
        table += it->title + QStringLiteral("</F>") + it->category + QStringLiteral("</F>") + it->time +
                 QStringLiteral("</F><//R>");
    }
    return QStringLiteral("OK_0001_") + table + QStringLiteral("BlogList<///T>");
}

QString ServiceLogic::GetBlog(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const auto post = findBlog(*m, a.value(3), a.value(4));
    if (post == m->blogs.end()) return QStringLiteral("Error_0002");
    return QStringLiteral("OK_0001_") + EscapeSqlWords(post->body);
}

QString ServiceLogic::DelBlog(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const auto post = findBlog(*m, a.value(3), a.value(4));
    if (post == m->blogs.end()) return QStringLiteral("Error_0002");
    try {
        m_store.removeBlog(*m, post->time);
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::UploadTBlog(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    // The picture counts only when the flag says there is one.
    const QString picture = a.value(5) == QLatin1String("1") ? a.value(4) : QString();
    try {
        m_store.storeMicroBlog(*m, MicroBlogPost{m_store.newStamp(), a.value(3), picture});
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::GetTBlogList(const QStringList& a) {
    const Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const TimeRange range(a.value(3), a.value(4));
    if (!range.valid()) return QStringLiteral("Error_0003");
    QString table;
    for (auto it = m->microBlogs.crbegin(); it != m->microBlogs.crend(); ++it) {
        if (!range.contains(it->key)) continue;
        const QString shown = QDateTime::fromString(it->key, kStampFormat).toString(kShownTimeFormat);
        for (const QString& field : {it->key, shown, KeepSeparatorsOut(MicroBlogPlainText(it->text)),
                                     it->picture.isEmpty() ? QStringLiteral("0") : KeepSeparatorsOut(it->picture),
                                     QStringLiteral("0")})
            table += field + QStringLiteral("</F>");
        table += QStringLiteral("<//R>");
    }
    return QStringLiteral("OK_0001_") + table + QStringLiteral("TBlogList<///T>");
}

QString ServiceLogic::DelTBlog(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const QString& key = a.value(3);
    const auto post = std::find_if(m->microBlogs.begin(), m->microBlogs.end(),
                                   [&](const MicroBlogPost& t) { return t.key == key; });
    if (post == m->microBlogs.end()) return QStringLiteral("Error_0002");
    try {
        m_store.removeMicroBlog(*m, key);
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString MicroBlogPlainText(QString text) {
    return text.replace(QStringLiteral("<br>"), QStringLiteral("\r\n"))
        .replace(QStringLiteral("&nbsp;"), QStringLiteral(" "))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));  // last: "&amp;lt;" is a typed "&lt;"
}

QString MicroBlogPostsHtml(const Member& m) {
    if (m.microBlogs.isEmpty()) return QStringLiteral("<p class=\"empty\">还没有微博。</p>");
    QString out = QStringLiteral("<div class=\"tblogs\">");
    for (auto it = m.microBlogs.crbegin(); it != m.microBlogs.crend(); ++it) {
        // The text as plain text again, escaped for the page: what was sent cannot add markup.
        QString text = MicroBlogPlainText(it->text).toHtmlEscaped();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
        QString picture;
        if (it->picture.endsWith(QLatin1String(".swf"), Qt::CaseInsensitive))
            picture = QStringLiteral("<p class=\"tblog-pic\"><a href=\"%1\">[Flash]</a></p>").arg(it->picture.toHtmlEscaped());
        else if (!it->picture.isEmpty())
            picture = QStringLiteral("<p class=\"tblog-pic\"><img src=\"%1\" alt=\"\"></p>").arg(it->picture.toHtmlEscaped());
        out += QStringLiteral("<div class=\"entry tblog\"><p class=\"who\"><span>%1</span></p><p>%2</p>%3</div>")
                   .arg(QDateTime::fromString(it->key, kStampFormat).toString(kShownTimeFormat), text, picture);
    }
    return out + QStringLiteral("</div>");
}

QString ExpandEffectPlaceholders(const QString& body, const QString& frameHost) {
    static const QRegularExpression placeholder(
        QStringLiteral(R"(<img\s+title="?\{!--EFFECT;TYPE\{100\};DATA\{(.*?)\}/--\}"?(.*?)>)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression width(QStringLiteral(R"(width="?(\d+))"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression height(QStringLiteral(R"(height="?(\d+))"), QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype last = 0;
    for (auto it = placeholder.globalMatch(body); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString query = match.captured(1);
        query.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const QString rest = match.captured(2);
        out += body.mid(last, match.capturedStart() - last);
        out += QStringLiteral(R"(<iframe src="http://%1/album0002.aspx?%2" width="%3" height="%4" scrolling="no" frameborder="0"></iframe>)")
                   .arg(frameHost, query.toHtmlEscaped(), width.match(rest).captured(1), height.match(rest).captured(1));
        last = match.capturedEnd();
    }
    return out + body.mid(last);
}

QString BlogPostsHtml(const Member& m, const QString& frameHost, bool withBodies) {
    if (m.blogs.isEmpty()) return QStringLiteral("<p>还没有博客。</p>");
    static const QRegularExpression bodyPart(QStringLiteral(R"(<body[^>]*>(.*)</body>)"),
                                             QRegularExpression::CaseInsensitiveOption |
                                                 QRegularExpression::DotMatchesEverythingOption);
    QString out = QStringLiteral("<div class=\"blogs\">");
    for (auto it = m.blogs.crbegin(); it != m.blogs.crend(); ++it) {
        // The title is stored as sent: a new post's comes escaped already, an edited one as typed,
        // so only its brackets are escaped here.
        QString title = it->title;
        title.replace(QLatin1Char('<'), QStringLiteral("&lt;")).replace(QLatin1Char('>'), QStringLiteral("&gt;"));
        out += QStringLiteral("<div class=\"blog\"><h2>%1</h2><p class=\"blog-info\">%2 · %3</p>")
                   .arg(title, it->category.toHtmlEscaped(), it->time);
        if (withBodies) {
            const QRegularExpressionMatch body = bodyPart.match(it->body);
            out += QStringLiteral("<div class=\"blog-body\">") +
                   ExpandEffectPlaceholders(body.hasMatch() ? body.captured(1) : it->body, frameHost) +
                   QStringLiteral("</div>");
        }
        out += QStringLiteral("</div>");
    }
    return out + QStringLiteral("</div>");
}

}  // namespace emu
