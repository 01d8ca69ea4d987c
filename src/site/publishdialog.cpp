#include "site/publishdialog.h"

#include "albums/albums_api.h"
#include "foundation/servicecall.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "site/sitemodel.h"
#include "state/celleditorstate.h"
#include "state/celleditorwindowlabels.h"
#include "state/loginstate.h"
#include "state/prefaceeditorwindowlabels.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"

#include <QStringList>

namespace {
const QString kTitle = QStringLiteral("提示");
constexpr int kCellRows = 8;  // rows R to R+7 of the block: what an editor sets

// The edited cell's base row; 0 when the record names no cell with a settings block.
int EditedCellBaseRow() { return GetCellBaseRow(static_cast<qint16>(CellRecord.value(CellRecordEntry::Cell).toInt())); }

void SetBothColumns(int row, const QString& value) {
    SiteSettings(LocalColumn, row) = value;
    SiteSettings(PublishColumn, row) = value;
}

// The cell's background (or foreground) row by the editor's flag: "2" removed, "3" a material;
// any other flag leaves the row, which a successful upload already wrote.
void WritePictureRow(int row, const QString& flag, const QString& address) {
    if (flag == QLatin1String("2")) SetBothColumns(row, QString());
    else if (flag == QLatin1String("3")) SetBothColumns(row, address);
}

QString Entry(int i) { return CellRecord.value(i); }

void WriteEditedCell(int r) {
    if (r <= 0) return;
    switch (EditorKind) {
    case 0:
        WritePictureRow(r, frm图片设置Labels::labBJFlag, Entry(3));
        if (frm图片设置Labels::picSetQJVisible) {
            WritePictureRow(r + 1, frm图片设置Labels::labQJFlag, Entry(4));
            for (int k = 2; k < kCellRows; ++k) SetBothColumns(r + k, Entry(3 + k));
        }
        break;
    case 1:
        WritePictureRow(r, frm卷首语设置Labels::labBJFlag, Entry(3));
        for (int k = 1; k < kCellRows; ++k) SetBothColumns(r + k, Entry(3 + k));
        break;
    default:
        break;
    }
}

bool IsUploadSuccess(const QString& reply) { return ReplyStartsWith(reply, kOK_0001Stamp, Qt::CaseInsensitive); }

// Takes the tag off in its own spelling only, wherever it stands.
QString UploadStamp(QString reply) { return reply.remove(kOK_0001Stamp); }

QString UploadRow(int row) {
    return UploadPictureFile(PendingPictures.value(row, PendingPicture::LocalFile),
                             PendingPictures.value(row, PendingPicture::RemoteFolder), QStringLiteral("1"),
                             PendingPictures.value(row, PendingPicture::RemoteName), QString());
}
}  // namespace

QString UploadFailureText(const QString& reply, bool fg) {
    const QString part = fg ? QStringLiteral("前景") : QStringLiteral("背景");
    if (reply == kError_0000)
        return QStringLiteral("错误 0000，") + part + QStringLiteral("上传失败：网络中断，请稍候再试。");
    if (reply == kError_0001 || reply == kError_0002 || reply == kError_0003)
        return QStringLiteral("错误 ") + reply.right(4) + QStringLiteral("，") + part + QStringLiteral("上传失败。");
    if (reply == kError_0004)
        return QStringLiteral("错误 0004：") + part +
               QStringLiteral("上传失败！网络空间已满，请您删除部份文件或扩容后再试。");
    if (reply == kError_0005)
        return QStringLiteral("错误 0005：") + part +
               QStringLiteral("上传失败！网络空间已过期，请您给网络空间继费后再试。");
    if (reply == kUploadNoFile)
        return fg ? QStringLiteral("前景文件不存在，前景上传失败！") : QStringLiteral("背景文件不存在，背景上传失败。");
    if (reply == kUploadWrongType)
        return fg ? QStringLiteral("不支持此前景文件类型上传，前景上传失败！")
                  : QStringLiteral("不支持此背景文件类型上传，背景上传失败。");
    return QStringLiteral("错误 0006：") + part + QStringLiteral("上传失败！意外错误，请您重新登录本软件再试。");
}

void RecordUploadedPictureStamp(const QString& stamp, const QString& album) {
    bool recorded = false;
    if (frm个人网站Labels::labDownDirFlag == QLatin1String("1")) {
        try {
            recorded = RecordAlbumStamp(album, stamp);
        } catch (const VbError&) {
            // The cached list could not be rewritten: treat it as not current, so it is read
            // from the service when next needed; the publish goes on.
            recorded = false;
        }
    }
    if (!recorded) {
        SetLoginField(7, stamp);
        UnloadFileManager();
    }
}

QString UploadPendingPictures() {
    using namespace PendingPicture;
    const int r = EditedCellBaseRow();
    QString message;

    if (PendingPictures.value(BackgroundRow, Flag) == QLatin1String("1")) {
        const QString reply = UploadRow(BackgroundRow);
        if (IsUploadSuccess(reply)) {
            RecordUploadedPictureStamp(UploadStamp(reply), PendingPictures.value(BackgroundRow, RemoteFolder));
            DialogState = 99;
            message = QStringLiteral("背景上传成功！");
            if (EditorKind == 0) frm图片设置Labels::labBJFlag = QStringLiteral("0");
            else if (EditorKind == 1) frm卷首语设置Labels::labBJFlag = QStringLiteral("0");
            if (r > 0) {
                SiteSettings(LocalColumn, r) = PendingPictures.value(BackgroundRow, LocalFile);
                SiteSettings(PublishColumn, r) = PendingPictures.value(BackgroundRow, UploadedUrl);
            }
        } else {
            message = UploadFailureText(reply, false);
        }
    }

    if (PendingPictures.value(ForegroundRow, Flag) == QLatin1String("1")) {
        const QString reply = UploadRow(ForegroundRow);
        if (IsUploadSuccess(reply)) {
            RecordUploadedPictureStamp(UploadStamp(reply), PendingPictures.value(ForegroundRow, RemoteFolder));
            DialogState = 99;
            message += QStringLiteral("前景上传成功！");
            if (EditorKind == 0) {
                frm图片设置Labels::labQJFlag = QStringLiteral("0");
                if (r > 0) {
                    SiteSettings(LocalColumn, r + 1) = PendingPictures.value(ForegroundRow, LocalFile);
                    SiteSettings(PublishColumn, r + 1) = PendingPictures.value(ForegroundRow, UploadedUrl);
                    for (int k = 2; k <= 4; ++k) SetBothColumns(r + k, Entry(3 + k));
                }
            }
        } else {
            message += UploadFailureText(reply, true);
        }
    }
    return message;
}

CellApplyStart TakeCellApplyStart() {
    CellApplyStart start;
    const int r = EditedCellBaseRow();
    if (r > 0) {
        for (int k = 0; k < kCellRows; ++k) {
            start.local.append(SiteSettings(LocalColumn, r + k));
            start.publish.append(SiteSettings(PublishColumn, r + k));
        }
    }
    start.cellBackground = frm图片设置Labels::labBJFlag;
    start.cellForeground = frm图片设置Labels::labQJFlag;
    start.prefaceBackground = frm卷首语设置Labels::labBJFlag;
    return start;
}

namespace {
// A refused apply taken back whole: the local rows and the flags (so a retry uploads its pictures
// again), and with the published rows also the PublishColumn.
void TakeBackCellApply(const CellApplyStart& start, bool published) {
    const int r = EditedCellBaseRow();
    if (r > 0 && start.local.size() == kCellRows && start.publish.size() == kCellRows) {
        for (int k = 0; k < kCellRows; ++k) {
            SiteSettings(LocalColumn, r + k) = start.local.at(k);
            if (published) SiteSettings(PublishColumn, r + k) = start.publish.at(k);
        }
    }
    frm图片设置Labels::labBJFlag = start.cellBackground;
    frm图片设置Labels::labQJFlag = start.cellForeground;
    frm卷首语设置Labels::labBJFlag = start.prefaceBackground;
}
}  // namespace

PublishOutcome PublishCellSettings(const CellApplyStart* start) {
    const int r = EditedCellBaseRow();
    QStringList saved;
    auto rollback = [r, &saved] {
        if (r <= 0 || saved.size() != kCellRows) return;
        for (int k = 0; k < kCellRows; ++k) SiteSettings(PublishColumn, r + k) = saved.at(k);
        // The foreground's size and code go back locally too; the other local rows keep the edit.
        for (int k = 2; k <= 4; ++k) SiteSettings(LocalColumn, r + k) = saved.at(k);
    };

    PublishVariant v;
    v.writeChanges = [r, &saved] {
        if (r > 0)
            for (int k = 0; k < kCellRows; ++k) saved.append(SiteSettings(PublishColumn, r + k));
        WriteEditedCell(r);
    };
    v.noChange = [] {
        ShowSiteUpdatedMessage();
        DialogState = 99;
    };
    v.accepted = [](const QString&) {
        if (EditorKind == 0) {
            frm图片设置Labels::labQJFlag = QStringLiteral("0");
            frm图片设置Labels::labBJFlag = QStringLiteral("0");
        } else if (EditorKind == 1) {
            frm卷首语设置Labels::labBJFlag = QStringLiteral("0");
        }
        ShowSiteUpdatedMessage();
        CopyPublishColumnToPublished();
    };
    v.refused = [&rollback, start](const QString& reply) {
        // After "Error_0006" the PublishColumn keeps what was sent (it goes out again); every
        // other refusal rolls the cell back there too.
        const bool keepSent = reply == kError_0006;
        if (keepSent) SiteSettings(LocalColumn, PublishStateRow) = QStringLiteral("2");
        else rollback();
        if (start) TakeBackCellApply(*start, !keepSent);
        if (reply == kError_0006)
            MsgBox(QStringLiteral("错误(0006)：抱歉！网页数据更新失败，请您稍后再试..."), vbInformation, kTitle);
        else if (reply == kError_0007)
            MsgBox(QStringLiteral("错误(0007)：抱歉！网页数据更新失败，请您稍后再试..."), vbInformation, kTitle);
        else
            MsgBox(QStringLiteral("抱歉！网页数据更新失败，请您稍后再试..."), vbInformation, kTitle);
    };
    return PublishSiteSettings(v);
}

PublishOutcome RunPublishDialogWork() {
    const CellApplyStart start = TakeCellApplyStart();
    const QString message = UploadPendingPictures();
    if (!message.isEmpty()) MsgBox(message, vbInformation, kTitle);
    return PublishCellSettings(&start);
}
