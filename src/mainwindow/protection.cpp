#include "foundation/shareddata.h"
#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "state/loginstate.h"
#include "mainwindow/commands.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vberror.h"

namespace {
const QString kTitle = QStringLiteral("提示");
constexpr int kProtectionGrid = 13;
constexpr int kRecordColumns = 11;
}  // namespace

bool ProtectionRecordRead() { return frmDB::grdDB[kProtectionGrid].cols() >= kRecordColumns; }

void StoreProtectionReply(const QString& reply) {
    // The reply's tag is recognised in any letter case and taken off as a whole; the record's own
    // fields (a question, an answer) are kept as they are, whatever they contain.
    const Table record = ExtractTable(UnescapeTableSeparators(ReplyPayload(reply, kOK_0001Table)),
                                      QStringLiteral("EncryptionInfo"));
    Grid& grid = frmDB::grdDB[kProtectionGrid];
    grid.setCols(kRecordColumns);
    if (record.isNull()) return;
    if (grid.rows() < 2) grid.setRows(2);
    grid(1, 0) = LoginField(6);
    for (int f = 0; f <= 6; ++f) grid(1, 1 + f) = record.value(0, f);
}

void MainWindowCommands::cmdEncrypt_Click() {
    if (LoginField(12).isEmpty()) {
        MsgBox(QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"),
               vbInformation, kTitle);
        return;
    }
    if (!ProtectionRecordRead()) {
        try {
            showWait();
            const QString reply = ServiceCall(QStringLiteral("wwwser003"), QStringLiteral("WebsiteEncryptionInfo"),
                                              {CurrentUserName, LoginField(5), LoginField(6)});
            hideWait();
            if (ReplyStartsWith(reply, kOK_0001Table, Qt::CaseInsensitive)) {
                StoreProtectionReply(reply);
            } else {
                static const QStringList known{kError_0001, kError_0002, kError_0003, kError_0004};
                MsgBox(known.contains(reply)
                           ? QStringLiteral("错误[") + reply + QStringLiteral("]：抱歉！遇到错误，读取网站加密信息失败。")
                           : QStringLiteral("抱歉！遇到意外错误，读取网站加密信息失败。"),
                       vbInformation, kTitle);
            }
        } catch (const VbError& e) {
            hideWait();
            ReportServiceError(e);
            return;
        }
    }
    CALL_REQUIRED_HOOK(windows.protection, view.window);
}
