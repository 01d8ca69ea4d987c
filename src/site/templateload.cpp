#include "site/templateload.h"

#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "foundation/table.h"
#include "foundation/tabletext.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

namespace {

const QString kTitle = QStringLiteral("提示");
const QString kTemplateTable = QStringLiteral("SiteInfo");

// The first rows of the 28 cell blocks: 1, 11, ..., 241, then 251, 261 and 271.
QList<int> CellBlockBaseRows() {
    QList<int> rows;
    for (int r = 1; r <= 241; r += 10) rows.append(r);
    rows << 251 << 261 << 271;
    return rows;
}

void KeepOwn(int row) { SiteSettings(TemplateColumn, row) = SiteSettings(PublishColumn, row); }

void KeepOwn(int first, int last) {
    for (int r = first; r <= last; ++r) KeepOwn(r);
}

}  // namespace

QString TemplateFilePath() { return MemberPath({QStringLiteral("mb.dat")}); }

QString TemplateSelectionTableText(const QString& selection) {
    QString text = selection;
    text.replace(QStringLiteral("{/F}"), QLatin1String(kFieldSep));
    text.replace(QStringLiteral("{//R}SiteInfo{///T}"),
                 QLatin1String(kRowSep) + kTemplateTable + QLatin1String(kTableSep));
    return text;
}

bool IsInMemberSpace(const QString& value) {
    const QString folder = LoginField(10);
    // "//" would be found in every web address.
    if (folder.isEmpty()) return false;
    const QString folderText = QLatin1Char('/') + folder + QLatin1Char('/');
    return value.toLower().contains(folderText.toLower());
}

void MergeTemplate(const QStringList& templateFields, const TemplateKeepRules& keep) {
    const int last = qMin(static_cast<int>(templateFields.size()), SiteSettingsTable::Rows) - 1;
    for (int k = 0; k <= last; ++k) SiteSettings(TemplateColumn, k) = DecodeSiteValue(templateFields.at(k));

    // Always the member's: the preface's text layer (when it has one) and the home album.
    const int prefaceText = GetCellBaseRow(10) + CellBlock::CellTextHtml;
    if (!SiteSettings(PublishColumn, prefaceText).isEmpty()) KeepOwn(prefaceText, prefaceText + 2);
    KeepOwn(HomeAlbumRow);

    for (int base : CellBlockBaseRows()) {
        if (base > last) break;
        if (keep.keepBackground && IsInMemberSpace(SiteSettings(PublishColumn, base + CellBlock::CellBackground)))
            KeepOwn(base + CellBlock::CellBackground);
        if (keep.keepForeground && IsInMemberSpace(SiteSettings(PublishColumn, base + CellBlock::CellForeground)))
            KeepOwn(base + CellBlock::CellForeground, base + CellBlock::CellForeCode);
        if (keep.keepText && !SiteSettings(PublishColumn, base + CellBlock::CellTextHtml).isEmpty())
            KeepOwn(base + CellBlock::CellTextHtml, base + CellBlock::CellTextStyle);
    }
    if (keep.keepMusic) {
        for (int r = MusicUrlRow; r <= MusicCarriedLastRow; ++r)
            if (!SiteSettings(PublishColumn, r).isEmpty()) KeepOwn(r);
    }
}

bool LoadChosenTemplate(const PageSelection& selection, const QString& nothingChosenMessage,
                        const TemplateKeepRules& keep) {
    const auto noSelection = [] {
        MsgBox(QStringLiteral("调用失败！请您稍后再试..."), vbInformation, kTitle);
        return false;
    };
    if (selection.kind == PageSelection::NothingChosen) {
        MsgBox(nothingChosenMessage, vbInformation, kTitle);
        return false;
    }
    if (selection.kind != PageSelection::Selected) return noSelection();

    const QString text = TemplateSelectionTableText(selection.text);
    Table siteInfo;
    try {
        siteInfo = ParseTableText(kTemplateTable, text);
    } catch (const VbError&) {
        return noSelection();  // more fields than a table can hold: no template of the gallery
    }
    // A selection without the table would put "null" into row 0 and publish the rows an earlier
    // choice left in the TemplateColumn over the member's whole site.
    if (siteInfo.isEmpty() || (siteInfo.cols() == 1 && siteInfo.isNull())) return noSelection();

    // The file keeps the last choice; when it cannot be written the writer says so, and the
    // choice in hand still is the one the member made (not what the file held before).
    WriteEncryptedText(text, TemplateFilePath());
    MergeTemplate(siteInfo.row(0), keep);
    return true;
}

QString TemplateGalleryAddress() {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Materials) +
           QStringLiteral("/pwtd/mb01/mb001.aspx");
}

QColor TemplateCanvasColor() {
    const QString homeColour = SiteSettings(PublishColumn, HomeBackColorRow);
    if (homeColour.isEmpty()) return QColor(Qt::white);
    // HtmlToColor takes the "#" out of the text it is given: it gets a copy, row 301 keeps its "#".
    QString copy = homeColour;
    const qint32 value = HtmlToColor(copy);  // red in the low byte
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
