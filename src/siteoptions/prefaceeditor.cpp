#include "siteoptions/prefaceeditor.h"

#include "celleditor/cellapply.h"
#include "celleditor/picturesources.h"
#include "state/celleditorstate.h"
#include "foundation/htmltext.h"
#include "state/imagingstate.h"
#include "state/loginstate.h"
#include "foundation/folders.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "state/prefaceeditorwindowlabels.h"

#include <QFile>

namespace {

const QString kTitle = QStringLiteral("提示");
constexpr int kStyleFields = 13;

QColor ColourOf(QString& field) {
    const qint32 v = HtmlToColor(field);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

qint32 ColourValue(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

void SetRecordEntry(int entry, const QString& value) {
    while (CellRecord.size() <= entry) CellRecord.append(QString());
    CellRecord[entry] = value;
}

}  // namespace

QString PrefaceStyleText(const QStringList& style, int effect) {
    return QStringLiteral("1,01,40/25/25/25/,15,宋体,") + style.value(5) + QLatin1Char(',') + style.value(6) +
           QStringLiteral(",0,0,0,") + QString::number(effect) + QStringLiteral(",0,0,,,,,,");
}

void PrefaceEditorController::edited() { CALL_REQUIRED_HOOK(view.enableEdits, true); }

void PrefaceEditorController::Form_Load() {
    m_loaded = false;
    PrefaceEditorWindowLabels::resetLabels();
    m_style = QStringList(15, QString());
    QString rest = CellRecord.value(10);
    if (!rest.isEmpty()) {
        // A style of fewer fields reads the missing ones empty; they take the defaults below.
        for (int i = 0; i < kStyleFields; ++i) {
            const qsizetype comma = rest.indexOf(QLatin1Char(','));
            m_style[i] = comma < 0 ? rest : rest.left(comma);
            rest = comma < 0 ? QString() : rest.mid(comma + 1);
            if (i != 10) continue;
            if (m_style[10].isEmpty()) m_style[10] = QStringLiteral("0");
            // Beyond the list is no entry (-1 and 3 both choose none), never an undefined conversion.
            CALL_REQUIRED_HOOK(view.selectEffect, int(vb::RoundClamped(vb::Val(m_style[10]), -1, 3)));
            const bool plain = m_style[10] == QLatin1String("0");
            if (m_style[5].isEmpty()) m_style[5] = plain ? QStringLiteral("#000000") : QStringLiteral("#FFFFFF");
            CALL_REQUIRED_HOOK(view.showFontColor, ColourOf(m_style[5]));
            const bool hasBack = !m_style[6].isEmpty();
            if (hasBack) CALL_REQUIRED_HOOK(view.setBackColorSwatch, ColourOf(m_style[6]));
            if (!plain) {
                if (!hasBack) m_style[6] = QStringLiteral("#FF0000");
                setNoBackColor(false);
            } else {
                setNoBackColor(!hasBack);
            }
        }
    } else {
        m_style[10] = QStringLiteral("2");
        CALL_REQUIRED_HOOK(view.selectEffect, 2);
        m_style[5] = QStringLiteral("#FFFFFF");
        CALL_REQUIRED_HOOK(view.showFontColor, ColourOf(m_style[5]));
        m_style[6] = QStringLiteral("#FF0000");
        setNoBackColor(false);
    }
    CALL_REQUIRED_HOOK(view.navigatePreview);
    QStringList lines = AskRequiredHook(view.lines);
    LoadLetterLines(CellRecord.value(9), lines);
    CALL_REQUIRED_HOOK(view.setLines, lines);
    RedimPendingPictures();
    PendingPictures.set(PendingPicture::ForegroundRow, PendingPicture::Flag, QStringLiteral("0"));
    m_loaded = true;
}

void PrefaceEditorController::setNoBackColor(bool ticked) {
    if (ticked == m_noBackColor) return;  // setting the same value runs no handler
    m_noBackColor = ticked;
    CALL_REQUIRED_HOOK(view.setNoBackColor, ticked);
    if (ticked) {
        labSetPic15 = m_style[6];
        m_style[6].clear();
    }
    CALL_REQUIRED_HOOK(view.showBackColorSwatch, !ticked);
    edited();
}

void PrefaceEditorController::chkFontBackColor_Click(bool ticked) {
    m_noBackColor = ticked;
    if (ticked) {
        labSetPic15 = m_style[6];
        m_style[6].clear();
    } else {
        m_style[6] = labSetPic15;
    }
    CALL_REQUIRED_HOOK(view.showBackColorSwatch, !ticked);
    edited();
}

void PrefaceEditorController::txtLetter_Change(int line) {
    if (!m_loaded) return;
    const QStringList before = AskRequiredHook(view.lines);
    const LetterFlow flow = FlowLetterLines(before, line);
    if (flow.lines != before) CALL_REQUIRED_HOOK(view.setLines, flow.lines);
    if (flow.focusLine) CALL_REQUIRED_HOOK(view.focusLine, *flow.focusLine, int(flow.lines[*flow.focusLine].size()));
    edited();
}

bool PrefaceEditorController::txtLetter_KeyDown(int line, int key, int position) {
    const QStringList lines = AskRequiredHook(view.lines);
    QList<int> lengths;
    for (const QString& l : lines) lengths.append(int(l.size()));
    const auto to = LetterCursorMove(line, key, position, lengths);
    if (to) CALL_REQUIRED_HOOK(view.focusLine, to->line, to->position);
    return to.has_value();
}

void PrefaceEditorController::cmdSearchBJ_Click() {
    const std::optional<QString> chosen = AskRequiredHook(view.choosePictureFile);
    if (!chosen || chosen->isEmpty()) return;
    CALL_REQUIRED_HOOK(view.setBackgroundPath, *chosen);
    const QString path = vb::Trim(*chosen);
    if (path.isEmpty()) return;
    if (const QString message = OversizePictureMessage(path); !message.isEmpty()) {
        MsgBox(message, vbInformation, kTitle);
        CALL_REQUIRED_HOOK(view.setBackgroundPath, QString());
        return;
    }
    // The picture is read before anything is stored: one that cannot be read changes nothing.
    const QString type = PictureFileType(path);
    QImage picture;
    if (type == QLatin1String(".jpg") || type == QLatin1String(".bmp")) {
        picture = QImage(path);
        if (picture.isNull()) return;
    }
    SetRecordEntry(3, *chosen);
    PendingPictures.set(PendingPicture::BackgroundRow, PendingPicture::LocalFile, *chosen);
    if (!picture.isNull()) {
        PrefaceEditorWindowLabels::imgSize = picture;
        if (picture.width() > vb::Val(CellRecord.value(1)) || picture.height() > vb::Val(CellRecord.value(2))) {
            CropTargetMode = 0;
            DialogState = 1;
            CALL_REQUIRED_HOOK(view.offerCrop);
        }
    }
    PrefaceEditorWindowLabels::labBJFlag = QStringLiteral("1");
    refreshPreview();
    edited();
}

void PrefaceEditorController::CmdBJSC_Click() {
    PrefaceEditorWindowLabels::labSCURL = MaterialsPageUrl(false, CellRecord.value(0));
    const bool fresh = PrefaceEditorWindowLabels::labURLFlag != QLatin1String("0");
    PrefaceEditorWindowLabels::labURLFlag = QStringLiteral("0");
    DialogState = 1;
    CALL_REQUIRED_HOOK(view.showMaterials, fresh);
    refreshPreview();
    edited();
}

void PrefaceEditorController::cmdDelBJ_Click() {
    SetRecordEntry(3, QString());
    PrefaceEditorWindowLabels::labBJFlag = QStringLiteral("2");
    refreshPreview();
    edited();
}

void PrefaceEditorController::cmdSetFontColor_Click() {
    // A cancelled colour dialog changes nothing.
    const std::optional<QColor> colour = AskRequiredHook(view.chooseColor);
    if (!colour) return;
    m_style[5] = ColorToHtml(ColourValue(*colour));
    CALL_REQUIRED_HOOK(view.showFontColor, *colour);
    edited();
    cmdView_Click();
}

void PrefaceEditorController::cmdSetFontBackColor_Click() {
    const std::optional<QColor> colour = AskRequiredHook(view.chooseColor);
    if (!colour) return;
    m_style[6] = ColorToHtml(ColourValue(*colour));
    CALL_REQUIRED_HOOK(view.setBackColorSwatch, *colour);
    CALL_REQUIRED_HOOK(view.showBackColorSwatch, true);
    setNoBackColor(false);
    edited();
    cmdView_Click();
}

void PrefaceEditorController::cobTX1_Click() {
    if (!m_loaded) return;
    edited();
    cmdView_Click();
}

LetterStyle PrefaceEditorController::letterStyle() const {
    return LetterStyle{m_style.value(5), m_style.value(6), AskRequiredHook(view.effect)};
}

void PrefaceEditorController::keepLetterStyle(const LetterStyle& s) {
    m_style[5] = s.fontColor;
    m_style[6] = s.backColor;
}

void PrefaceEditorController::refreshPreview() {
    LetterStyle s = letterStyle();
    RefreshLetterPreview(AskRequiredHook(view.lines), s, view.refreshPreview);
    keepLetterStyle(s);
}

void PrefaceEditorController::cmdView_Click() { refreshPreview(); }

void PrefaceEditorController::cmdClearLetter_Click() {
    CALL_REQUIRED_HOOK(view.setLines, QStringList(kLetterLines, QString()));
    // Each emptied line runs the line rule; an empty line fits, so only the buttons change.
    if (m_loaded) edited();
    CALL_REQUIRED_HOOK(view.focusLine, 0, 0);
}

bool PrefaceEditorController::cmdOK_Click() {
    if (LoginField(12).isEmpty()) {
        MsgBox(QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"),
               vbInformation, kTitle);
        return false;
    }
    const QString cell = CellRecord.value(0);
    MarkPendingPicture(PendingPicture::BackgroundRow, PrefaceEditorWindowLabels::labBJFlag, CellRecord.value(3),
                       QStringLiteral("grb"), cell);
    SetRecordEntry(9, LetterCellText(AskRequiredHook(view.lines)));
    LetterStyle s = letterStyle();
    SetRecordEntry(8, CreateLetterHtml(CellRecord.value(1), CellRecord.value(9), s));
    keepLetterStyle(s);
    SetRecordEntry(10, PrefaceStyleText(m_style, s.effect));
    DialogState = 1;
    const PublishOutcome outcome = AskRequiredHook(view.showPublishDialog);
    // A publish the service refused (even after an upload) leaves the edit to try again.
    if (outcome != PublishOutcome::Accepted && outcome != PublishOutcome::NoChange) return false;
    cmdView_Click();
    CALL_REQUIRED_HOOK(view.enableEdits, false);
    try {
        CopyPageFile(QStringLiteral("setpic.html"), cell + QStringLiteral(".html"));
    } catch (const VbError&) {
        MsgBox(kApplyUnexpectedError, vbInformation, kTitle);
    }
    return true;
}

void PrefaceEditorController::cmdReSet_Click() {
    CALL_REQUIRED_HOOK(view.setBackgroundPath, QString());
    const QString cell = CellRecord.value(0);
    const QString preview = MemberTempPath(QStringLiteral("setpic.html"));
    const QString page = MemberTempPath(cell + QStringLiteral(".html"));
    QFile::remove(preview);
    if (QFile::exists(page)) QFile::copy(page, preview);
    const qint16 n = qint16(vb::RoundClamped(vb::Val(cell), -32768, 32767));
    SetRecordEntry(1, QString::number(GetCellWidth(n)));
    SetRecordEntry(2, QString::number(GetCellHeight(n)));
    const int base = GetCellBaseRow(n);
    for (int i = 0; i < 10; ++i) SetRecordEntry(3 + i, SiteSettings(LocalColumn, base + i));
    Form_Load();  // also clears labBJFlag, labURLFlag and labSCURL
    CALL_REQUIRED_HOOK(view.refreshPreview);
    CALL_REQUIRED_HOOK(view.enableEdits, false);
}
