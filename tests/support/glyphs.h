#pragma once
// Characters that no installed font can draw: the text engine falls back through every font and,
// finding none with the character, shows the missing-glyph box (glyph 0).
#include <QAbstractButton>
#include <QFont>
#include <QGlyphRun>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <QTextLayout>
#include <QWidget>

namespace testsupport {

// The characters of text (each once, in order) drawn as the missing-glyph box in the font.
inline QString MissingGlyphs(const QString& text, const QFont& font) {
    QString missing;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, n);
        i += n - 1;
        if (ch[0].isSpace() || ch[0].category() == QChar::Other_Control || missing.contains(ch)) continue;
        QTextLayout layout(ch, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        bool drawn = true;
        for (const QGlyphRun& run : layout.glyphRuns())
            for (quint32 glyph : run.glyphIndexes()) drawn = drawn && glyph != 0;
        if (!drawn) missing += ch;
    }
    return missing;
}

// "<class> '<text>': <missing>" for every label and button inside the window (shown or not) whose
// text has characters no font draws; empty when every one is drawn.
inline QStringList WidgetsWithMissingGlyphs(const QWidget* window) {
    QStringList found;
    const auto check = [&found](const QWidget* w, const QString& text) {
        const QString missing = MissingGlyphs(text, w->font());
        if (!missing.isEmpty())
            found << QStringLiteral("%1 '%2': %3").arg(QString::fromLatin1(w->metaObject()->className()), text, missing);
    };
    for (const QLabel* l : window->findChildren<QLabel*>())
        if (l->textFormat() != Qt::RichText && !Qt::mightBeRichText(l->text())) check(l, l->text());
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) check(b, b->text());
    check(window, window->windowTitle());
    return found;
}

}  // namespace testsupport
