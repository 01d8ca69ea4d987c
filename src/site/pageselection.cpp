#include "site/pageselection.h"

#include "foundation/htmltext.h"

PageSelection PageSelectionFromText(const QString& pageText) {
    PageSelection out;
    if (pageText.contains(QLatin1String("}}}"))) {
        out.kind = PageSelection::Selected;
        out.text = GetTextBetween(pageText, QStringLiteral("{{{"), QStringLiteral("}}}"));
    } else if (pageText.contains(QLatin1String("[[[]]]"))) {
        out.kind = PageSelection::NothingChosen;
    }
    return out;
}
