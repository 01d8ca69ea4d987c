#pragma once
// Taking a template from the service's gallery: the selection the gallery page handed over is
// kept in the member's "mb.dat", becomes the TemplateColumn of SiteSettings, and the member's own
// pictures, texts and music are kept in it where the member asked for that.
#include "site/pageselection.h"

#include <QColor>
#include <QString>
#include <QStringList>

// The chooser's four keep-my-own boxes, in their design states.
struct TemplateKeepRules {
    bool keepForeground = false;  // cheQJ: own foreground pictures (in the member's space)
    bool keepBackground = false;  // cheBJ: own background pictures (in the member's space)
    bool keepText = true;         // cheTxt: own cell texts
    bool keepMusic = true;        // cheMusic: own music settings
};

// The member's "mb.dat": the last chosen template, enciphered table text.
QString TemplateFilePath();

// The selection as table text: every "{/F}" made "</F>", then "{//R}SiteInfo{///T}" made
// "<//R>SiteInfo<///T>".
QString TemplateSelectionTableText(const QString& selection);

// The member's folder in picture addresses appears in the value ("/" + LoginInfo field 10 + "/",
// letter case ignored). Without a folder in LoginInfo nothing is the member's own.
bool IsInMemberSpace(const QString& value);

// Field k of the template (decoded: "&x_;" to "<", then "&d_;" to ">") becomes TemplateColumn
// row k, for every field up to the last one (fields past row 332 are ignored; rows past the last
// field keep what they held). Then the rows kept from the PublishColumn: the preface's text
// layer (rows 106 to 108) when row 106 is set, the home album (305) always, and, as asked, the
// backgrounds and foregrounds that lie in the member's space, the text layers that are set and
// the music rows (311 to 320) that are set.
void MergeTemplate(const QStringList& templateFields, const TemplateKeepRules& keep);

// The steps the preview and the apply share. Nothing chosen on the page: the given message; no
// selection, or one without a SiteInfo table: "调用失败！请您稍后再试..."; both stop with nothing
// changed. Otherwise the selection is written to mb.dat (a failed write is reported by the writer
// and the selection in hand is used all the same) and merged into the TemplateColumn. True when
// the template was loaded.
bool LoadChosenTemplate(const PageSelection& selection, const QString& nothingChosenMessage,
                        const TemplateKeepRules& keep);

// The gallery page: "/pwtd/mb01/mb001.aspx" on the service's materials host, no query keys.
QString TemplateGalleryAddress();

// The colour of the main window's canvas after an applied template: the home-page colour
// (PublishColumn row 301, which keeps its text), white when it is empty.
QColor TemplateCanvasColor();
