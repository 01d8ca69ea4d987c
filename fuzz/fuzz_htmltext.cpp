// Texts of any content through the shared HTML procedures (the member's and the service's HTML,
// markers, attributes, colours, query values), the service's dates and the GBK code page, with the
// promises their callers rely on checked.
#include "foundation/htmltext.h"
#include "platform/ansi.h"
#include "platform/vbdate.h"
#include "platform/vberror.h"

#include <QRegularExpression>
#include <QUrl>

#include <cstdint>
#include <cstdlib>

namespace {
void Require(bool promise) {
    if (!promise) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The service's pages are GBK; what the member typed arrives as text.
    const QString gbk = AnsiCodec::decode(bytes);
    for (const QString& text : {gbk, QString::fromUtf8(bytes)}) {
        Require(AnsiCodec::byteLength(text) == AnsiCodec::encode(text).size());
        (void)AnsiCodec::decode(AnsiCodec::encodeHtml(text));

        QString html = text;
        DisableActiveTags(html);
        static const QRegularExpression active(QStringLiteral("iframe|object|script|embed|function"),
                                               QRegularExpression::CaseInsensitiveOption);
        Require(!active.match(html).hasMatch());
        QString blog = text;
        (void)IframesToEffectImages(blog);
        (void)RestoreLinkTargets(text);
        (void)UnescapeSqlWords(text);
        (void)IsFreeOfSqlWords(text);

        const qsizetype half = text.size() / 2;
        const QString marker = text.left(qMin<qsizetype>(half, 3)), end = text.mid(half, 2);
        (void)GetTextBetween(text, marker, end);
        (void)GetTextBetweenNoCase(text, marker, end);
        (void)GetTextBefore(text, end);
        QString attrText = text, attrName = marker;
        (void)GetNumericAttribute(attrText, attrName);
        (void)ReadCommaFields(text, 8);
        (void)SortByFirstChar(text.split(QLatin1Char(',')));
        (void)GetFileNameFromPath(text);
        if (!text.isEmpty()) {
            const int cls = GetCharClass(text);
            Require(cls >= 0 && cls <= 5);
        }

        QString colour = text.left(16);
        const qint32 value = HtmlToColor(colour);
        Require(value >= 0 && value <= 0xFFFFFF && !colour.contains(QLatin1Char('#')));
        (void)ColorToHtml(value);
        const QString query = EncodeQueryValue(text);
        Require(!query.contains(QLatin1Char('&')) && !query.contains(QLatin1Char('#')));
        // A path segment ends nowhere early and reads back whole; so does a hosted file's address.
        const QString segment = EncodePathSegment(text);
        Require(!segment.contains(QLatin1Char('#')) && !segment.contains(QLatin1Char('?')) &&
                QUrl::fromPercentEncoding(segment.toUtf8()) == text);
        const QString hosted = HostedFileAddress(QStringLiteral("http://img1.x.test/space/f/") + text + QStringLiteral("/a.jpg"), text,
                                                 QStringLiteral("a.jpg"));
        Require(QUrl::fromPercentEncoding(hosted.toUtf8()) == QStringLiteral("http://img1.x.test/space/f/") + text + QStringLiteral("/a.jpg"));

        const std::optional<QDate> date = vb::DateFromText(text);
        if (date) {
            Require(date->isValid());
            const int week = WeekOfYear(*date);
            Require(week >= 1 && week <= 54);
            (void)WeeklyFolderName(*date);
        }
        const std::optional<QDateTime> stamp = vb::DateTimeFromText(text);
        Require(stamp.has_value() == date.has_value());
    }
    return 0;
}
