#include "hostedfiles/descriptioneditor.h"

#include "albums/loadalbumlist.h"
#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vbtext.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

namespace {

// Field 1, the description, of every row of the address.
void SetDescription(Table& files, const QString& address, const QString& description) {
    if (files.isNull()) return;
    for (int r = 0; r < files.rows(); ++r)
        if (files.value(r, 0) == address) files.set(r, 1, description);
}

}  // namespace

void DescriptionEditorController::txtMemo_Change() {
    const QString text = AskRequiredHook(view.memoText);
    CALL_REQUIRED_HOOK(view.setWordLen, QString::number(AnsiCodec::byteLength(text)));
    if (AnsiCodec::byteLength(text) <= kDescriptionBytes) return;
    QString shorter = text;
    shorter.chop(shorter.size() >= 2 && shorter.back().isLowSurrogate() && shorter.at(shorter.size() - 2).isHighSurrogate()
                     ? 2
                     : 1);
    CALL_REQUIRED_HOOK(view.setMemoText, shorter);
    // Setting the text ran the change handler in the old runtime.
    txtMemo_Change();
    CALL_REQUIRED_HOOK(view.focusMemoAtEnd);
    MsgBox(QStringLiteral("抱歉！输入错误：描述信息过长，请限制在30字节（15个汉字以内）。"), vbInformation, QStringLiteral("提示"));
    CALL_REQUIRED_HOOK(view.focusMemoAtEnd);
}

void DescriptionEditorController::cmdOK_Click() {
    const QString description = vb::Trim(AskRequiredHook(view.memoText));
    QString reply;
    CALL_REQUIRED_HOOK(view.showWait, true);
    try {
        reply = ServiceCall(QStringLiteral("webser002"), QStringLiteral("EditPicMemo"),
                            {CurrentUserName, LoginField(5), LoginField(6), labWebDir, labFileName + labWebPath.right(4),
                             description});
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(view.showWait, false);
        ReportServiceError(e);
        return;
    }
    CALL_REQUIRED_HOOK(view.showWait, false);
    if (reply != kOK_0001) {
        MsgBox(QStringLiteral("意外错误，请您稍后再试。"), vbInformation, QStringLiteral("提示"));
        return;
    }
    DialogState = 99;
    MsgBox(QStringLiteral("文件信息修改成功！"), vbInformation, QStringLiteral("提示"));
    CALL_REQUIRED_HOOK(view.setManagerMemo, labIndex.toInt(), description);

    // The cached list read afresh takes the description and is written back. Without a readable
    // cache (or none kept for the album) the list in memory takes it, and no empty table replaces
    // the list or the file.
    const QString listFile = AlbumFileListPath(labWebDir);
    Table cached = listFile.isEmpty() ? Table::null() : ReadTableFile(listFile, QStringLiteral("FileInfo"));
    if (cached.isNull()) {
        SetDescription(AlbumFiles, labWebPath, description);
    } else {
        SetDescription(cached, labWebPath, description);
        AlbumFiles = cached;
        try {
            WriteTableFile(AlbumFiles, listFile, QStringLiteral("FileInfo"));
        } catch (const VbError&) {
            // The service and the cell hold the description; the cache stays as it was.
        }
    }
    CALL_REQUIRED_HOOK(view.close);
}
