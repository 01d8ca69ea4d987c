// What the member does with one file of the open album: the information box, copying its address
// or snippet, viewing it, handing it to a writer, and editing its description.
#include "hostedfiles/filemanager.h"

#include "hostedfiles/viewpage.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/urlopening.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"

namespace {

const QString kCopied = QStringLiteral("复制成功");
const QString kTitle = QStringLiteral("提示");
constexpr int kListTab = 15;

void CopiedAddressMessage(const QString& address) {
    MsgBox(QStringLiteral("文件网址：") + address + QStringLiteral("\r\r成功复制到剪贴板中，您可以使用“粘贴”或 Ctrl+V 调用。"),
           vbInformation, kCopied);
}

// Clipboard failures are passed over: the copy is attempted and reported in any case.
void ToClipboard(const QString& text) { urlopening::current().setClipboardText(text); }

}  // namespace

int InfoBoxLeft(int k) {
    const int panelLeft = 30 + 2085 * (k % 5);
    const bool rightHand = k % 5 >= 3;
    return rightHand ? panelLeft - kInfoBoxWidth + 278 : panelLeft + 2055 - 278;
}

int InfoBoxTop(int k) { return 75 + 2295 * (k / 5) + 15; }

void FileManagerController::imgView_MouseMove(int k) {
    const FileCell& cell = Cell(k);
    if (!cell.shown) return;
    InfoBoxTexts t{cell.labUpLoadDay, cell.labFileName, cell.labSize, QString(), QString()};
    const QString address = CellAddress(k);
    if (IsFlashAddress(address)) {
        t.url = address;
        t.code = FlashSnippet(address);
    } else {
        t.url = ChosenAddress(address, AskRequiredHook(view.thumbnailChosen), false);
        t.code = ImageSnippet(t.url);
    }
    CALL_REQUIRED_HOOK(view.showInfoBox, InfoBoxLeft(k), InfoBoxTop(k), t);
}

void FileManagerController::CopyInfoText(int box, const QString& text) {
    ToClipboard(text);
    CALL_REQUIRED_HOOK(view.selectFromSecond, box);
    if (box == 0)
        CopiedAddressMessage(text);
    else
        MsgBox(QStringLiteral("代码成功复制到剪贴板中，您可以使用“粘贴”或 Ctrl+V 调用。"), vbInformation, kCopied);
}

void FileManagerController::CopyAddress(const QString& address, bool listTab) {
    if (address.isEmpty()) return;
    const bool thumbnail = AskRequiredHook(view.thumbnailChosen);
    if (thumbnail && IsFlashAddress(address)) {
        MsgBox(QStringLiteral("提示：Flash文件不能创建缩略图，请您选择“原图”后再复制。"), vbInformation, kTitle);
        return;
    }
    const QString chosen = ChosenAddress(address, thumbnail, listTab);
    ToClipboard(chosen);
    CopiedAddressMessage(chosen);
}

void FileManagerController::imgURL_Click(int k) { CopyAddress(CellAddress(k), false); }

void FileManagerController::imgGridURL_Click() { CopyAddress(ListAddress(AskRequiredHook(view.currentListRow)), true); }

void FileManagerController::imgView_Click(int k) {
    if (Cell(k).labURL.isEmpty()) return;
    CALL_REQUIRED_HOOK(view.viewThroughPage, CellAddress(k));
}

void FileManagerController::ViewListRow() {
    const QString address = ListAddress(AskRequiredHook(view.currentListRow));
    if (!address.isEmpty()) CALL_REQUIRED_HOOK(view.viewAddress, address);
}

void FileManagerController::picEdit_Click(int k) {
    const FileCell& cell = Cell(k);
    if (!cell.shown) return;
    DescriptionParams p;
    p.labIndex = QString::number(k);
    REQUIRE_HOOK(view.cellMemo);
    if (view.cellMemo) p.labMemo = view.cellMemo(k);
    p.labWebDir = m_openAlbum;
    p.labFileName = cell.labFileName.left(qMax<qsizetype>(0, cell.labFileName.size() - 4));
    p.labWebPath = cell.labURL;
    DialogState = 0;
    CALL_REQUIRED_HOOK(view.openDescriptionEditor, k, p);
    if (DialogState == 99) FillFileList();
}

void FileManagerController::PutIn(const QString& address, int k) {
    if (address.isEmpty()) return;
    const bool thumbnail = AskRequiredHook(view.thumbnailChosen);
    const bool flash = IsFlashAddress(address);
    if (thumbnail && flash) {
        MsgBox(QStringLiteral("提示：Flash文件不能插入缩略图，请您选择“原图”后再插入。"), vbInformation, kTitle);
        return;
    }
    const QString& mode = frm个人网站Labels::labViewType;
    if (mode == QLatin1String("1")) {
        if (flash) {
            MsgBox(QStringLiteral("抱歉！Flash文件暂不能插入到微博客中。"), vbOKOnly, kTitle);
            return;
        }
        // The micro-blog keeps the file's own address, whichever the address option.
        CALL_REQUIRED_HOOK(view.handToMicroBlogWriter, k, address);
    } else if (mode == QLatin1String("2")) {
        if (flash) {
            MsgBox(QStringLiteral("抱歉！Flash文件暂不能插入到博客中。"), vbOKOnly, kTitle);
            return;
        }
        CALL_REQUIRED_HOOK(view.handToBlogWriter, ChosenAddress(address, thumbnail, k == kListTab));
    }
    CALL_REQUIRED_HOOK(view.closeWindow);
}

void FileManagerController::imgPutIn_Click(int k) { PutIn(CellAddress(k), k); }

void FileManagerController::imgGridPutIn_Click() { PutIn(ListAddress(AskRequiredHook(view.currentListRow)), kListTab); }
