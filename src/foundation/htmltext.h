#pragma once
// Small shared procedures on texts, paths, colours, random numbers and week numbers, and the
// preparation of HTML that the member typed or the service stored: active words neutralised,
// embedded frames turned into placeholder pictures, the blog service's escapes undone.
// Hosts and the service domain come from serviceconfig::current().
#include <QDate>
#include <QString>
#include <QStringList>

// The text after the last "\" of the path; empty when there is none or the path ends with it.
QString GetFileNameFromPath(const QString& path);

// Writes the blank page "data/Temp.html" (an existing one is replaced) and returns its path, also
// when the write failed.
QString WriteBlankPage();

// floor((hi - lo + 1) * r + lo) in single precision, r a fresh draw from [0, 1). The first
// argument is the upper bound: RandomInt(5, 1) gives 1 to 5, RandomInt(1, 9) gives 2 to 8 (9 only
// on a draw of exactly 0). One generator, seeded once from the clock.
qint16 RandomInt(qint16 hi, qint16 lo);
// The same rule for a given draw r (the generator is left alone). Raises an overflow error
// (VbError) when the result leaves the 16-bit range.
qint16 RandomIntFromDraw(qint16 hi, qint16 lo, float r);

// False when the upper-cased text contains "DELETE", "UPDATE", "SELECT", "INSERT" or "NET USER".
bool IsFreeOfSqlWords(const QString& text);

// The class of the first character of the text: 0 letter a-z/A-Z, 2 digit, 3 "_", 5 other ASCII
// up to "~" (blanks, punctuation, controls), 1 a character of two code-page bytes (every Chinese
// character), 4 anything else (delete, characters the code page lacks). An empty text raises an
// invalid-argument error (VbError 5).
int GetCharClass(const QString& ch);

// The text between the last occurrence of the start marker and the last occurrence of the end
// marker (a position where the start marker matches never counts as an end); empty unless the end
// lies after the start marker.
QString GetTextBetween(const QString& text, const QString& startMarker, const QString& endMarker);

// After the first occurrence of the start marker (letter case ignored) up to the next end marker
// (letter case counts), blanks trimmed; empty when either is missing.
QString GetTextBetweenNoCase(const QString& text, const QString& startMarker, const QString& endMarker);

// Both arguments are changed in place: quotes and blanks removed from the text, blanks from the
// name, both upper-cased. The run of digits right after the first occurrence of the name.
QString GetNumericAttribute(QString& text, QString& name);

// The text before the first occurrence of the marker; empty when the text is empty or the marker
// does not occur.
QString GetTextBefore(const QString& text, const QString& marker);
// The first n fields of a stored row, each the text before the next comma of what remains; a field
// not ended by a comma, and every field after it, reads as empty. Fields past n are ignored.
QStringList ReadCommaFields(const QString& row, int n);

// n + 1 texts ordered by their first character, highest character code first (equal first
// characters keep their order; an empty text counts lowest), followed by one empty text.
QStringList SortByFirstChar(const QStringList& texts);

// Every "<iframe ...</iframe" of the blog HTML replaced by the service's placeholder picture
// (photo-list host), whose data is the frame's query in its own letter case; changes the caller's
// text and returns it.
QString IframesToEffectImages(QString& html);
inline QString IframesToEffectImages(QString&& html) { return IframesToEffectImages(html); }

// The service's escaped link target ("[{*<domain>*}] target=[{*<domain>*}]_blank" followed by a
// double quote, a single quote or nothing) back as target=_blank; only the first form found in
// that order is replaced, every occurrence of it.
QString RestoreLinkTargets(const QString& html);

// Undoes the blog service's escapes of "--", insert, delete, net user and from.
QString UnescapeSqlWords(const QString& text);

// "#RRGGBB" of a colour value whose lowest byte is red.
QString ColorToHtml(qint32 color);

// The colour value (red in the lowest byte) of "#RRGGBB" text; shorter texts are padded with "0"
// on the left, both letter cases read as hex digits, channels are capped at 255. Every "#" is
// removed from the caller's text too (callers rely on that).
qint32 HtmlToColor(QString& text);
inline qint32 HtmlToColor(QString&& text) { return HtmlToColor(text); }

// IFRAME, OBJECT, SCRIPT, EMBED and FUNCTION in any letter case become "img", inside other words
// too. Changes the caller's text and returns it.
QString DisableActiveTags(QString& html);
inline QString DisableActiveTags(QString&& html) { return DisableActiveTags(html); }

// The address of a resource from the hidden data form's resource table (grid 8 of frmDB). Nothing
// fills that table, so this is the empty text.
QString ResolveResourceUrl(const QString& name);

// Week of the year, weeks starting on Monday, the week holding 1 January being week 1 (1 to 54).
int WeekOfYear(const QDate& date);
// The folder of the weekly service pages: two-digit year, then the week without a leading zero
// (31 December 2012 gives "1254").
QString WeeklyFolderName(const QDate& date);

// Typed text as it goes into a page or a post, and back. "<" and ">" are always written "&lt;" and
// "&gt;"; the form adds "&" as "&amp;" (first, so that a typed "&lt;" stays text), blanks as
// "&nbsp;", and line breaks (CRLF, CR or LF) as "<br>". The reverse takes the same form back,
// "<br>" to CRLF first (so that a stored "&lt;br&gt;" stays text) and "&amp;" last.
struct HtmlTextForm {
    bool ampersands = false;
    bool blanks = false;
    bool lineBreaks = false;
};
QString EscapeHtmlText(const QString& text, HtmlTextForm form);
QString UnescapeHtmlText(const QString& html, HtmlTextForm form);

// A value as it goes into the query of a service address or of an address in a generated page:
// "%" becomes "%25", "&" "%26", "#" "%23" and a space "%20". Only these, because only they change
// what the service reads: "%" would start an escape, "&" a new key, "#" the fragment that never
// reaches it, and a space ends the address where a page or a blog post reads it up to the first
// blank (the blog writer's album frame). Every other character keeps its bytes (Chinese text
// stays GBK in a page and the engine sends it percent-encoded in that code page), so addresses
// of values without them stay as they always were.
QString EncodeQueryValue(const QString& value);

// The text with each of the given ASCII characters written as "%" and two upper-case hexadecimal
// digits; every other character as it is. The rules below and the viewer page are made of it.
QString PercentEncodeCharacters(const QString& text, QLatin1String characters);

// A name as it goes into one path segment of an address: "%", "#", "?", a space, '"', "<" and ">"
// become %25 %23 %3F %20 %22 %3C %3E. Only these, because only they change where the path ends,
// start an escape or break the markup the address is written into; every other character keeps
// its bytes (Chinese text, "&", "'"), so an address of a plain name stays as it always was.
QString EncodePathSegment(const QString& name);

// The address of a hosted file, made from the address the service lists it at (FileInfo field 0,
// its album and stored name written plainly) with that album and stored name: when the listed
// address ends in "/<album>/<name>", those two segments encoded (EncodePathSegment); else, when it
// ends in "/<name>", that segment encoded; an address of any other form as the service gave it.
// Every address of a hosted file the program fetches, shows, copies or inserts is this one, and a
// thumbnail's is this one followed by its suffix.
QString HostedFileAddress(const QString& listedAddress, const QString& album, const QString& storedName);
