#include "celleditor/cellapply.h"

#include "celleditor/textlayer.h"
#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/celleditorstate.h"
#include "state/celleditorwindowlabels.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

#include <QFile>

namespace {

const QString kTitle = QStringLiteral("提示");
const QString kMaterialsAlbum = QStringLiteral("www网站素材");

void SetRecord(int entry, const QString& value) {
    while (CellRecord.size() <= entry) CellRecord.append(QString());
    CellRecord[entry] = value;
}

// A text the old runtime reads as a 32-bit whole number (halves to the even one); nothing when it
// is none or overflows.
std::optional<qint64> LongValue(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok && t.size() > 2 && t.front() == QLatin1Char('&')) {
        const qlonglong n = t.mid(2).toLongLong(&ok, t[1].toUpper() == QLatin1Char('H') ? 16 : 8);
        v = double(n);
    }
    if (!ok || !(v >= -2147483648.5 && v < 2147483647.5)) return std::nullopt;
    return vb::RoundHalfEven(v);
}

}  // namespace

void MarkPendingPicture(int row, const QString& flag, const QString& file, const QString& prefix, const QString& cell) {
    using namespace PendingPicture;
    if (PendingPictures.rows() <= row) RedimPendingPictures();
    if (flag != QLatin1String("1")) {
        PendingPictures.set(row, Flag, QStringLiteral("0"));
        return;
    }
    const QString ext = vb::Trim(file).right(4).toLower();
    const QString name = prefix + cell;
    PendingPictures.set(row, Flag, QStringLiteral("1"));
    PendingPictures.set(row, RemoteFolder, kMaterialsAlbum);
    PendingPictures.set(row, RemoteName, name);
    const QString listed = QStringLiteral("http://") + ServiceHostFromPrefix(QStringLiteral("imgser001"), LoginField(6)) +
                           QLatin1Char('.') + serviceconfig::current().domain + QStringLiteral("/space/") + LoginField(10) +
                           QLatin1Char('/') + kMaterialsAlbum + QLatin1Char('/') + name + ext;
    PendingPictures.set(row, UploadedUrl, HostedFileAddress(listed, kMaterialsAlbum, name + ext));
}


QString CellTextForStoring(const QString& text) {
    QString t = text;
    DisableActiveTags(t);
    t.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    t.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    return t;
}

bool PrepareCellApply(const CellEditorSnapshot& editor, QStringList& textStyleFields) {
    if (LoginField(12).isEmpty()) {
        MsgBox(QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"),
               vbInformation, kTitle);
        return false;
    }
    // The text layer first: it completes the colours the style row carries, and a layer that
    // cannot be built stops the apply before anything changed.
    const std::optional<QString> layer = CreateCutPicHtml(editor, textStyleFields);
    if (!layer) {
        MsgBox(kApplyUnexpectedError, vbInformation, kTitle);
        return false;
    }
    const QStringList& rec = editor.record;
    const QString cell = rec.value(CellRecordEntry::Cell);
    const int first = CellRecordEntry::FirstBlockRow;
    MarkPendingPicture(PendingPicture::BackgroundRow, CellEditorWindowLabels::labBJFlag,
                       rec.value(first + CellBlock::CellBackground), QStringLiteral("grb"), cell);
    MarkPendingPicture(PendingPicture::ForegroundRow, CellEditorWindowLabels::labQJFlag,
                       rec.value(first + CellBlock::CellForeground), QStringLiteral("grp"), cell);
    // A size box that is no number leaves the stored size.
    if (vb::IsNumeric(vb::Trim(editor.foreWidth))) SetRecord(first + CellBlock::CellForeWidth, vb::Trim(editor.foreWidth));
    if (vb::IsNumeric(vb::Trim(editor.foreHeight))) SetRecord(first + CellBlock::CellForeHeight, vb::Trim(editor.foreHeight));
    SetRecord(first + CellBlock::CellForeCode,
              ForeCodeFromControls(editor.flashTicked, editor.foreVertical, editor.foreHorizontal));
    SetRecord(first + CellBlock::CellTextHtml, *layer);
    SetRecord(first + CellBlock::CellText, CellTextForStoring(editor.text));
    SetRecord(first + CellBlock::CellTextStyle, WriteCellTextStyle(editor.panel, textStyleFields));
    return true;
}

bool ApplyCell(const CellEditorSnapshot& editor, QStringList& textStyleFields, const CellEditorView& view) {
    if (!PrepareCellApply(editor, textStyleFields)) return false;
    DialogState = 0;
    const PublishOutcome outcome = AskRequiredHook(view.showPublishDialog);
    // A publish the service refused (even after an upload) leaves the edit to try again.
    if (outcome != PublishOutcome::Accepted && outcome != PublishOutcome::NoChange) return false;
    const QString cell = CellRecord.value(CellRecordEntry::Cell);
    const QString preview = QStringLiteral("setpic.html");
    try {
        CopyPageFile(preview, cell + QStringLiteral(".html"));
        // The side copies of 25 and 28, and the other size of their settings block.
        if (cell == QLatin1String("25")) {
            CopyPageFile(preview, QStringLiteral("26.html"));
            CreateCellHtml(27, LocalColumn);
        } else if (cell == QLatin1String("28")) {
            CopyPageFile(preview, QStringLiteral("29.html"));
            CreateCellHtml(30, LocalColumn);
        }
    } catch (const VbError&) {
        MsgBox(kApplyUnexpectedError, vbInformation, kTitle);
        return false;
    }
    return true;
}

std::optional<ForegroundFields> ResetCellRecord() {
    CellEditorWindowLabels::labQJFlag = QStringLiteral("0");
    CellEditorWindowLabels::labBJFlag = QStringLiteral("0");
    CellEditorWindowLabels::labURLFlag.clear();
    CellEditorWindowLabels::labSCURL.clear();
    CellEditorWindowLabels::labXZFlag.clear();
    CellEditorWindowLabels::labXZPic.clear();

    const QString cell = CellRecord.value(CellRecordEntry::Cell);
    QFile::remove(SitePagePath(QStringLiteral("setpic.html")));
    const QString page = cell + QStringLiteral(".html");
    if (QFile::exists(SitePagePath(page))) {
        try {
            CopyPageFile(page, QStringLiteral("setpic.html"));
        } catch (const VbError&) {
            // The preview then shows no page, as for a cell without one.
        }
    }

    const qint16 n = static_cast<qint16>(cell.toInt());
    SetRecord(CellRecordEntry::Width, QString::number(GetCellWidth(n)));
    SetRecord(CellRecordEntry::Height, QString::number(GetCellHeight(n)));
    const int R = GetCellBaseRow(n);
    const int first = CellRecordEntry::FirstBlockRow;
    SetRecord(first + CellBlock::CellBackground, SiteSettings(LocalColumn, R + CellBlock::CellBackground));
    if (!CellEditorWindowLabels::picSetQJVisible) return std::nullopt;
    for (int k = CellBlock::CellForeground; k <= CellBlock::CellForeCode; ++k)
        SetRecord(first + k, SiteSettings(LocalColumn, R + k));
    return ReadForegroundFields(CellRecord);
}

SizeCheck CheckForegroundSize(const QString& text, const QString& cellSize, bool width) {
    SizeCheck c;
    c.text = text;
    if (c.text.isEmpty()) return c;
    const QString what = width ? QStringLiteral("宽度") : QStringLiteral("高度");
    while (!c.text.isEmpty() && !vb::IsNumeric(c.text)) {
        c.messages << QStringLiteral("错误！") + what + QStringLiteral("必须为数字。");
        c.text = vb::Trim(c.text.left(c.text.size() - 1));
        c.corrected = true;
    }
    if (c.text.isEmpty()) return c;
    // A number that does not fit counts as too large.
    const std::optional<qint64> value = LongValue(c.text);
    if (!value || double(*value) > vb::Val(cellSize)) {
        c.messages << QStringLiteral("错误！") + what + QStringLiteral("不能大于当前设置区域的") + what +
                          QStringLiteral("（") + cellSize + QStringLiteral("）。");
        c.text = cellSize;
        c.corrected = true;
        c.reset = true;
    }
    c.accepted = true;
    return c;
}

SizeCheck CheckFontSize(const QString& text) {
    SizeCheck c;
    c.text = text;
    const auto positive = [](const QString& t) {
        bool ok = false;
        const double v = vb::Trim(t).toDouble(&ok);
        return vb::IsNumeric(t) && ok && v > 0;
    };
    while (!c.text.isEmpty() && !positive(c.text)) {
        c.messages << kFontSizeMessage;
        c.text = vb::Trim(c.text.left(c.text.size() - 1));
        c.corrected = true;
    }
    c.accepted = !c.text.isEmpty();
    return c;
}

std::optional<int> GuideMarginValue(const QString& text) {
    const std::optional<int> m = MarginValue(text);
    if (!m || *m < -2184 || *m > 2184) return std::nullopt;
    return m;
}
