#include "foundation/htmltext.h"

#include "foundation/shareddata.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"

#include <QDateTime>

#include <cmath>
#include <random>

namespace {

// Index (0-based) of the last "\" or "/": paths here are written with either.
qsizetype lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

std::mt19937& generator() {
    static std::mt19937 gen(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
    return gen;
}

// A draw from [0, 1) in single precision: 24 random bits, so 1.0 can never come out.
float drawUnit() { return static_cast<float>(generator()() >> 8) * (1.0f / 16777216.0f); }

}  // namespace

QString GetFileNameFromPath(const QString& path) {
    const qsizetype p = lastSeparator(path);
    if (p < 0) return QString();
    return path.mid(p + 1);
}

QString WriteBlankPage() {
    const QString path = paths::InRoot(QStringLiteral("data/Temp.html"));
    const QString page = QStringLiteral("<html>\r<head>\r<title></title>\r</head>\r<body>\r</body>\r</html>");
    try {
        // The safe write replaces any existing page in one step.
        paths::WriteFileSafely(path, AnsiCodec::encode(page));
    } catch (const VbError&) {
        // The caller gets the path whether or not the page could be written.
    }
    return path;
}

qint16 RandomIntFromDraw(qint16 hi, qint16 lo, float r) {
    const float span = static_cast<float>(int(hi) - int(lo) + 1);
    const float v = std::floor(span * r + static_cast<float>(lo));
    if (v < -32768.0f || v > 32767.0f) throw VbError(VbError::Overflow, QStringLiteral("溢出"));
    return static_cast<qint16>(v);
}

qint16 RandomInt(qint16 hi, qint16 lo) { return RandomIntFromDraw(hi, lo, drawUnit()); }

bool IsFreeOfSqlWords(const QString& text) {
    const QString up = text.toUpper();
    for (const char* w : {"DELETE", "UPDATE", "SELECT", "INSERT", "NET USER"})
        if (up.contains(QLatin1String(w))) return false;
    return true;
}

int GetCharClass(const QString& ch) {
    if (ch.isEmpty()) throw VbError(5, QStringLiteral("无效的过程调用或参数"));
    const QChar c = ch.at(0);
    int cls = 4;
    if (c.unicode() <= u'~') {
        if (c >= u'0' && c <= u'9') cls = 2;
        else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) cls = 0;
        else cls = 5;
    }
    if (AnsiCodec::code(c) >= 128) cls = 1;
    if (c == u'_') cls = 3;
    return cls;
}

QString GetTextBetween(const QString& text, const QString& startMarker, const QString& endMarker) {
    qsizetype startPos = -1, endPos = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (QStringView(text).mid(i).startsWith(startMarker)) startPos = i;
        else if (QStringView(text).mid(i).startsWith(endMarker)) endPos = i;
    }
    if (startPos < 0 || endPos < 0) return QString();
    const qsizetype from = startPos + startMarker.size();
    if (endPos < from) return QString();
    return text.mid(from, endPos - from);
}

QString GetTextBetweenNoCase(const QString& text, const QString& startMarker, const QString& endMarker) {
    const qsizetype s = text.indexOf(startMarker, 0, Qt::CaseInsensitive);
    if (s < 0) return QString();
    const qsizetype from = s + startMarker.size();
    const qsizetype e = text.indexOf(endMarker, from, Qt::CaseSensitive);
    if (e < 0) return QString();
    return vb::Trim(text.mid(from, e - from));
}

QString GetNumericAttribute(QString& text, QString& name) {
    text.remove(QLatin1Char('"'));
    text.remove(QLatin1Char(' '));
    text = text.toUpper();
    name.remove(QLatin1Char(' '));
    name = name.toUpper();
    const qsizetype p = text.indexOf(name);
    if (p < 0) return QString();
    qsizetype i = p + name.size();
    const qsizetype from = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
    return text.mid(from, i - from);
}

QString GetTextBefore(const QString& text, const QString& marker) {
    if (text.isEmpty()) return QString();
    const qsizetype p = text.indexOf(marker);
    if (p < 0) return QString();
    return text.left(p);
}

QStringList ReadCommaFields(const QString& row, int n) {
    QStringList fields;
    QString rest = row;
    for (int k = 0; k < n; ++k) {
        fields.append(GetTextBefore(rest, QStringLiteral(",")));
        // Past the last comma nothing is ended by a comma: the later fields read empty.
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        rest = comma < 0 ? QString() : rest.mid(comma + 1);
    }
    return fields;
}

QStringList SortByFirstChar(const QStringList& texts) {
    // Insertion sort, so equal first characters keep their order. An empty text has no first
    // character and sorts last.
    auto key = [](const QString& s) { return s.isEmpty() ? -1 : int(s.at(0).unicode()); };
    QStringList out;
    out.reserve(texts.size() + 1);
    for (const QString& t : texts) {
        qsizetype i = out.size();
        while (i > 0 && key(out.at(i - 1)) < key(t)) --i;
        out.insert(i, t);
    }
    out.append(QString());
    return out;
}

QString IframesToEffectImages(QString& html) {
    static const QLatin1String open("<iframe ");
    static const QLatin1String close("</iframe");
    const QString photoHost = serviceconfig::current().hostName(ServiceHost::PhotoList);
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 0; i < html.size(); ++i) {
        if (!QStringView(html).mid(i, 8).startsWith(open, Qt::CaseInsensitive)) continue;
        const qsizetype end = html.indexOf(close, i + 8, Qt::CaseInsensitive);
        // The frame runs up to and including "</iframe"; without an end tag, to the end.
        const QString frame = end < 0 ? html.mid(i) : html.mid(i, end - i + 8);
        QString copy = frame;
        copy.remove(QLatin1Char('"'));
        // The query keeps its letter case (an album's name is told apart by it); only the
        // names the frame is searched for are matched without case.
        const QString source = GetTextBetweenNoCase(copy, QStringLiteral("src="), QStringLiteral(" "));
        copy = copy.toLower();
        const QString query = GetTextBetweenNoCase(source + QLatin1Char(' '), QStringLiteral("?"), QStringLiteral(" "));
        QString widthName = QStringLiteral("width=");
        QString heightName = QStringLiteral("height=");
        const QString width = GetNumericAttribute(copy, widthName);
        const QString height = GetNumericAttribute(copy, heightName);
        const QString placeholder = QStringLiteral("<IMG title={!--EFFECT;TYPE{") + QStringLiteral("100")
            + QStringLiteral("};DATA{") + query + QStringLiteral("}/--} height=") + height
            + QStringLiteral(" alt=框架（在编辑状态下不可视，在预览状态或上传到Orbel服务器后才能看见） src=")
            + QLatin1Char('"') + QStringLiteral("http://") + photoHost
            + QStringLiteral("/images/slide_effect_350_210.gif") + QLatin1Char('"') + QStringLiteral(" width=")
            + width + QLatin1Char('/');
        pairs.append({frame, placeholder});
    }
    for (const auto& [frame, placeholder] : pairs) html.replace(frame, placeholder);
    return html;
}

QString RestoreLinkTargets(const QString& html) {
    const QString marker = QStringLiteral("[{*") + serviceconfig::current().domain + QStringLiteral("*}]");
    const QString base = marker + QStringLiteral(" target=") + marker + QStringLiteral("_blank");
    const QString dq = QStringLiteral("\"");
    const QString sq = QStringLiteral("'");
    const std::pair<QString, QString> forms[] = {
        {base + dq, dq + QStringLiteral(" target=") + dq + QStringLiteral("_blank") + dq},
        {base + sq, sq + QStringLiteral(" target=") + sq + QStringLiteral("_blank") + sq},
        {base, QStringLiteral(" target=_blank")},
    };
    for (const auto& [from, to] : forms) {
        if (html.contains(from)) {
            QString out = html;
            return out.replace(from, to);
        }
    }
    return html;
}

QString UnescapeSqlWords(const QString& text) {
    static const char* const kPairs[][2] = {
        {"[__]", "--"},
        {"[_insert_]", "insert"},
        {"[_delete_]", "delete"},
        {"[_INSERT_]", "INSERT"},
        {"[_DELETE_]", "DELETE"},
        {"[_net user_]", "net user"},
        {"[_NET USER_]", "NET USER"},
        {"[_from_]", "from"},
        {"[_FROM_]", "FROM"},
    };
    QString out = text;
    for (const auto& p : kPairs) out.replace(QLatin1String(p[0]), QLatin1String(p[1]));
    return out;
}

QString ColorToHtml(qint32 color) {
    QString hex = QString::number(static_cast<quint32>(color), 16).toUpper();
    if (hex.size() < 6) hex = hex.rightJustified(6, QLatin1Char('0'));
    return QLatin1Char('#') + hex.mid(4) + hex.mid(2, 2) + hex.mid(0, 2);
}

qint32 HtmlToColor(QString& text) {
    text.remove(QLatin1Char('#'));
    const QString six = (QStringLiteral("000000") + text).right(6);
    int d[6];
    for (int i = 0; i < 6; ++i) {
        const QChar c = six.at(i);
        if (c >= u'0' && c <= u'9') d[i] = c.unicode() - u'0';
        else if (c >= u'a' && c <= u'f') d[i] = c.unicode() - u'a' + 10;  // lower case reads as hex too
        else d[i] = int(c.unicode()) - 55;
    }
    // Out-of-range characters are held to one byte per channel, so they cannot spill into another.
    auto channel = [](int v) { return std::clamp(v, 0, 255); };
    const int red = channel(16 * d[0] + d[1]);
    const int green = channel(16 * d[2] + d[3]);
    const int blue = channel(16 * d[4] + d[5]);
    return red + 256 * green + 65536 * blue;
}

QString DisableActiveTags(QString& html) {
    static const QLatin1String kWords[] = {QLatin1String("IFRAME"), QLatin1String("OBJECT"),
                                           QLatin1String("SCRIPT"), QLatin1String("EMBED"),
                                           QLatin1String("FUNCTION")};
    QStringList found;
    for (qsizetype i = 0; i < html.size(); ++i) {
        for (const QLatin1String& w : kWords) {
            const QStringView piece = QStringView(html).mid(i, w.size());
            // A piece already noted would replace nothing the second time: note it once, so a long
            // post full of one tag takes one pass per spelling instead of one per occurrence.
            if (piece.size() == w.size() && piece.compare(w, Qt::CaseInsensitive) == 0 && !found.contains(piece))
                found.append(piece.toString());
        }
    }
    for (const QString& piece : found) html.replace(piece, QStringLiteral("img"), Qt::CaseSensitive);
    return html;
}

QString ResolveResourceUrl(const QString& name) {
    // Grid 8 of the data form; nothing fills it, so the lookup finds nothing.
    const Grid& table = frmDB::grdDB[8];
    for (int r = 1; r < table.rows(); ++r)
        if (table.value(r, 0) == name) return table.value(r, 1);
    return QString();
}

int WeekOfYear(const QDate& date) {
    const QDate jan1(date.year(), 1, 1);
    const int offset = jan1.dayOfWeek() - 1;  // days of that week before 1 January (Monday first)
    return (date.dayOfYear() - 1 + offset) / 7 + 1;
}

QString WeeklyFolderName(const QDate& date) {
    return QStringLiteral("%1%2").arg(date.year() % 100, 2, 10, QLatin1Char('0')).arg(WeekOfYear(date));
}

QString PercentEncodeCharacters(const QString& text, QLatin1String characters) {
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 128 && characters.contains(c)) {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[c.unicode() >> 4]);
            out += QLatin1Char(hex[c.unicode() & 15]);
        } else {
            out += c;
        }
    }
    return out;
}

QString EncodePathSegment(const QString& name) { return PercentEncodeCharacters(name, QLatin1String("%#? \"<>")); }

QString HostedFileAddress(const QString& listedAddress, const QString& album, const QString& storedName) {
    if (storedName.isEmpty()) return listedAddress;
    const QString name = QLatin1Char('/') + storedName;
    const QString both = QLatin1Char('/') + album + name;
    if (!album.isEmpty() && listedAddress.endsWith(both))
        return listedAddress.chopped(both.size()) + QLatin1Char('/') + EncodePathSegment(album) + QLatin1Char('/') +
               EncodePathSegment(storedName);
    if (listedAddress.endsWith(name)) return listedAddress.chopped(name.size()) + QLatin1Char('/') + EncodePathSegment(storedName);
    return listedAddress;
}

QString EscapeHtmlText(const QString& text, HtmlTextForm form) {
    QString t = text;
    if (form.ampersands) t.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    t.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    t.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    if (form.blanks) t.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    if (form.lineBreaks) {
        t.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
        t.replace(QLatin1Char('\r'), QStringLiteral("<br>"));
        t.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    }
    return t;
}

QString UnescapeHtmlText(const QString& html, HtmlTextForm form) {
    QString t = html;
    if (form.lineBreaks) t.replace(QStringLiteral("<br>"), QStringLiteral("\r\n"));
    if (form.blanks) t.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    if (form.ampersands) t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return t;
}

QString EncodeQueryValue(const QString& value) { return PercentEncodeCharacters(value, QLatin1String("%&# ")); }
