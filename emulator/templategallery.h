#pragma once
// The service's template gallery on the materials host: "/pwtd/mb01/mb001.aspx" lists ready-made
// site designs; clicking one puts its settings into the page's visible text between "{{{" and
// "}}}" (before a choice the page shows "[[[]]]"), where the program's template chooser reads
// them. The templates' pictures and music are served beside the page.
#include "emulator/http.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace emu {

struct GalleryTemplate {
    QString id;          // "mb1": the element id of its card and the prefix of its pictures
    QString name;        // shown under the card
    QStringList fields;  // 333 site settings values, plain ("<" and ">" unescaped)
};

// The gallery's templates; their picture addresses lie on the materials host given (a whole
// host name, "sc.<domain>").
QList<GalleryTemplate> GalleryTemplates(const QString& materialsHost);

// The selection the gallery hands over for a template: every field, with "<" written "&x_;" and
// ">" written "&d_;", followed by "{/F}", then "{//R}SiteInfo{///T}".
QString TemplateSelectionText(const GalleryTemplate& t);

// The gallery page, its pictures and music; false (out untouched) for any other path.
bool ServeTemplateGallery(const HttpRequest& request, const QString& materialsHost, HttpResponse* out);

}  // namespace emu
