#pragma once
// The page generators of the site: each builds one part of the site from one column of
// SiteSettings, writes its page into the member's temp folder (not while PreviewOnly is set) and
// returns the fragment that the whole-site page places into its grid. A fragment continues a
// "<td" tag that the caller opened: the cell's own attributes, ">", then the content; the caller
// closes the cell.
// The member's frame host and the query keys of the service pages the generated pages address.
#include "login/memberpages.h"

#include <QString>
#include <QStringList>

// ---- picture and Flash cells: 0, 2, 3, 7, 8, 10, 13 to 16, 19 to 21, 24, 25, 27, 28, 30, 31, and
// cell 4 inside the whole-site page (its text layer may be the music box). Writes "<cell>.html";
// cell 25 is copied to "26.html" and cell 28 to "29.html". Errors while writing or copying these
// files are ignored: the fragment is returned all the same. Appends the layer rule to LayerCss
// when the cell has both a foreground and a text layer.
QString CreateCellHtml(qint16 cell, qint16 column);

// ---- service widget cells: 1, 5, 6, 9, 11, 12, 17, 18, 22, 23. The cell's own background,
// foreground and text lie in a positioned layer over the service's frame. Writes "<cell>.html";
// a failure to write it is raised to the caller (VbError) and no fragment is returned.
QString CreateWidgetHtml(qint16 cell, qint16 column);
// The cell's widget: the iframe of its service page on the member's frame host (cell 11's and
// cell 12's inside a small table); empty for a cell that has none.
QString WidgetElement(qint16 cell);

// ---- background pages "b", "b1", "b2", "b3" (rows 301, 303, 304, 306; row 301 stands in for an
// empty row). Writes "<name>.html"; errors are raised to the caller. Returns the empty text.
QString CreateBackgroundHtml(const QString& name, qint16 column);
// The page of a background page and of the colour dialog's previews: an empty page whose body has
// the colour as its background, or no style part (an empty line) for the empty text.
QString ColorPageText(const QString& colour);

// ---- the footer (cell 32): separator, notice line and the service's information frame. Puts a
// missing "#" in front of row 301 of the column and writes "<cell>.html" (neither while
// PreviewOnly is set); errors are raised to the caller. Returns the footer fragment.
QString CreateFooterHtml(qint16 cell, qint16 column);

// ---- the music box of cell 4
// Cell 4 shows the music box: music on with the player shown, or lyrics shown and not empty.
bool MusicBoxShown(qint16 column);
// The box fragment (lyrics marquee and, when the player is shown, the audio player). Autostart
// "0" keeps the player from starting by itself; any other text starts it. Writes nothing.
QString CreateMusicBoxHtml(qint16 column, const QString& autostart);
// Cell 4's local page: as the picture cell, but the box is made with this autostart value and
// the body never carries a colour. Writes "4.html" only; file errors are ignored.
QString CreateMusicCellHtml(qint16 column, qint16 autostart);

// A picture cell's page as an editor previews it: layer (stacked above the foreground) in place
// of the cell's own text layer, or that text layer when null; no body colour; bodyEnd right
// before "</body>". Writes no file and leaves LayerCss alone.
QString PictureCellPreviewPage(qint16 cell, qint16 column, const QString* layer, const QString& bodyEnd);

// The pieces of the music box, shared with the music editor's preview. The table: with the
// player row the lyrics are 168 high, else 210; the two markers below stand for the lyrics and
// the player cell.
QString MusicBoxTable(bool playerRow);
QString MusicBoxLyricsHeight(bool playerRow);
inline const QString kMusicLyricsMarker = QStringLiteral("<!--$*Replace#GC#*$-->");
inline const QString kMusicPlayerMarker = QStringLiteral("<!--$*Replace#Player#*$-->");
// The scrolling lyrics: the lyrics HTML in the font style, the effect (default shadow and glow
// colours where the back colour is empty) and the marquee with the hint in front. Colours go in
// as given.
QString MusicLyricsMarquee(const QString& lyrics, const QString& fontStyle, const QString& color,
                           const QString& backColor, const QString& effect, const QString& delay,
                           const QString& hint, const QString& height);
// The player cell: the audio player at the address (unquoted) under the alpha filter.
QString MusicPlayerCell(const QString& opacity, const QString& fade, const QString& address,
                        const QString& loop, const QString& autostart);

// The nine fields of the music-box row, each taken as the text before the next comma of what
// remains; a field not ended by a comma, and every field after it, read as empty.
QStringList ReadMusicBoxFields(const QString& row);
// The fields with the box's defaults applied and "#" put in front of the two colours.
struct MusicBoxSettings {
    QString playCount;       // the player's loop attribute, "1" by default
    QString playerOpacity;   // percent, "50"
    QString playerFade;      // alpha filter style, "0"
    QString lyricsColor;     // "#FFFF80"
    QString lyricsBackColor; // none by default
    QString lyricsFontStyle; // "1" italic, "2" bold, "3" both, else regular; "0"
    QString lyricsDelay;     // marquee scroll delay in ms, "3000"
    QString lyricsEffect;    // "1" shadow, "2" glow, else none; "0"
    QString lyricsHint;      // HTML before the lyrics, none by default
    static MusicBoxSettings fromRow(const QString& row);
};

// ---- pieces shared by the generators and the editors' previews
// The foreground element: an img tag, or for a ".swf" address the Flash object block (transparent
// unless the code's first character is "1"). Width and height go in unchanged. outerIndent goes
// before the img tag and before the object's first and last lines (the cell editor's preview
// indents them; the cell pages do not).
QString ForegroundElement(const QString& address, const QString& width, const QString& height,
                          const QString& foreCode, const QString& outerIndent = QString());
// The CSS rule of the cell's positioned layer "#Layer<cell>".
QString LayerRule(qint16 cell);
// The same rule for a layer named n of the given size.
QString LayerRule(const QString& n, int width, int height);
// Appends a rule to LayerCss, CR-separated.
void AppendLayerCss(const QString& rule);
