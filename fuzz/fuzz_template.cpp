// A gallery page's visible text of any content, as the template chooser reads it: the choice
// between its markers, the choice as table text, and the template merged into the member's
// settings under every combination of the keep-my-own boxes.
#include "foundation/tabletext.h"
#include "platform/statereset.h"
#include "platform/vberror.h"
#include "site/pageselection.h"
#include "site/sitemodel.h"
#include "site/templateload.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString pageText = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const PageSelection selection = PageSelectionFromText(pageText);
    if (selection.kind != PageSelection::Selected) return 0;
    Table siteInfo;
    try {
        siteInfo = ParseTableText(QStringLiteral("SiteInfo"), TemplateSelectionTableText(selection.text));
    } catch (const VbError&) {
        return 0;  // more fields than a table holds: the chooser says the call failed
    }
    if (siteInfo.isEmpty()) return 0;
    for (int keep = 0; keep < 16; ++keep) {
        ResetAllState();
        SetLoginField(10, QStringLiteral("m000001"));
        SiteSettings.create();
        // The member's own settings, some of them in the member's space.
        SiteSettings(PublishColumn, 22) = QStringLiteral("http://img1.sitehost.test/space/m000001/a/b.jpg");
        SiteSettings(PublishColumn, 106) = QStringLiteral("前言");
        SiteSettings(PublishColumn, 305) = QStringLiteral("相册");
        SiteSettings(PublishColumn, 311) = QStringLiteral("1");
        const TemplateKeepRules rules{(keep & 1) != 0, (keep & 2) != 0, (keep & 4) != 0, (keep & 8) != 0};
        MergeTemplate(siteInfo.row(0), rules);
        // The home album is always the member's own.
        if (SiteSettings(TemplateColumn, 305) != QStringLiteral("相册")) std::abort();
        (void)TemplateCanvasColor();
    }
    return 0;
}
