#include "hostedfiles/singlefileupload.h"

#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "foundation/folders.h"
#include "foundation/servicecall.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "hostedfiles/filemanager.h"
#include "imaging/picturepreparation.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/singlefileuploadlabels.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>

namespace {
const QString kPicZipCaption = QStringLiteral("jpg、bmp图像大于500k时转换成600×600(像素)以内的图像。");
const QString kPicZipLockedCaption = QStringLiteral("jpg、bmp图像在上传时转换成 600×600(像素)以内的图像。");
const QString kBigPictureNotice = QStringLiteral("文件大于500k，上传时将转换成 600×600 (像素)以内的图像。");
constexpr qint64 kLargestKb = 500;

bool IsTurnablePicture(const QString& ext) { return ext == u".jpg" || ext == u".bmp"; }

QString UserFile(const char* name) { return MemberPath({QLatin1String(name)}); }

// NewFile field -> FileInfo field.
constexpr int kNewFileToFileInfo[][2] = {{0, 2}, {1, 4}, {2, 7}, {3, 8}};
constexpr int kNewFileAlbumStamp = 4;
}  // namespace

void FillReplacementLabels(int index, const QString& album, const QString& storedName, const QString& address) {
    frm上传单个文件Labels::labIndex = QString::number(index);
    frm上传单个文件Labels::labWebDir = album;
    frm上传单个文件Labels::labFileName = vb::Left(storedName, int(storedName.size()) - 4);
    frm上传单个文件Labels::labWebPath = address;
}

void FileManagerController::ReplaceFile(int k) {
    constexpr int kListTab = 15;
    constexpr int kAddressColumn = 4, kStoredNameColumn = 6;
    QString stored, address;
    if (k == kListTab) {
        const int row = AskRequiredHook(view.currentListRow);
        stored = ListCell(row, kStoredNameColumn);
        address = ListCell(row, kAddressColumn);
    } else {
        stored = Cell(k).labFileName;
        address = Cell(k).labURL;
    }
    FillReplacementLabels(k, m_openAlbum, stored, address);
    DialogState = 0;
    CALL_REQUIRED_HOOK(view.openReplacement, k);
    if (DialogState == 99) FillFileList();
}

QString ReplacementChooserFilter(const QString& webPath) {
    const QString ext3 = vb::Right(webPath, 3).toLower();
    // Any letter case: a camera's "IMG_1.JPG" is a jpg file.
    QString pattern = QStringLiteral("*.");
    for (const QChar c : ext3) {
        const QChar upper = c.toUpper();
        pattern += upper == c ? QString(c) : QStringLiteral("[") + c + upper + QStringLiteral("]");
    }
    return QStringLiteral("图像文件(*.") + ext3 + QStringLiteral(") (") + pattern + QLatin1Char(')');
}

ChosenFileVerdict JudgeChosenFile(const QString& path, bool picZipTicked) {
    ChosenFileVerdict v;
    const QString p = vb::Trim(path);
    if (p.isEmpty() || !QFileInfo(p).isFile()) {
        v.refused = true;
        v.message = QStringLiteral("错误！文件：") + p + QStringLiteral(" 不存在。");
        return v;
    }
    const qint64 kb = FileSizeKb(p);
    const QString ext = vb::Right(path, 4).toLower();
    const QString tooLarge = QStringLiteral("错误！文件：") + p + QStringLiteral(" 的大小超出500K。\r\r");
    if (ext == u".swf" || ext == u".png") {
        if (kb > kLargestKb) {
            v.refused = true;
            v.message = tooLarge + QStringLiteral("无法上传此文件。");
        } else {
            v.show = ext == u".swf" ? ChosenShow::FlashPicture : ChosenShow::PngPicture;
        }
        return v;
    }
    if (ext == u".jpg" || ext == u".gif" || ext == u".bmp") {
        if (kb > kLargestKb) {
            if (!(IsTurnablePicture(ext) && picZipTicked)) {
                v.refused = true;
                v.message = tooLarge + QStringLiteral("请您先用本软件的“图像编辑”功能把图像缩小并保存成小于500K的文件后再上传。");
                return v;
            }
            v.selectInfo = kBigPictureNotice;
        }
        v.enableTurns = IsTurnablePicture(ext);
        v.show = ChosenShow::Preview;
    }
    return v;
}

TwipsRect PreviewFit(int w, int h) {
    constexpr int box = kPreviewBoxTwips;
    TwipsRect r;
    if (w <= box && h <= box) {
        r.width = w;
        r.height = h;
    } else if (w > box) {
        const qint64 scaledH = vb::RoundHalfEven(h * (double(box) / w));
        if (scaledH <= box) {
            r.width = box;
            r.height = int(scaledH);
        } else {
            r.width = int(vb::RoundHalfEven(double(box) / h * w));
            r.height = box;
        }
    } else {
        r.width = int(vb::RoundHalfEven(double(box) / h * w));
        r.height = box;
    }
    r.top = (box - r.height) / 2;
    r.left = (box - r.width) / 2;
    return r;
}

int NextTurnCount(int count, int step) {
    const int next = count + step;
    return (next == 4 || next == -4) ? 0 : next;
}

UploadRoute DecideUploadRoute(const QString& ext, qint64 kb, bool watermark, bool picZip, int turnCount) {
    const bool picture = IsTurnablePicture(ext);
    if (picture && watermark) return UploadRoute::PrepareWithOverlays;
    if (kb <= kLargestKb)
        // A turned picture goes through the composer, the one place that turns it: sent as chosen
        // it would reach the service unturned.
        return picture && turnCount != 0 ? UploadRoute::PrepareFitOnly : UploadRoute::AsChosen;
    if (picture && picZip) return UploadRoute::PrepareFitOnly;
    return UploadRoute::TooLarge;
}

QString UploadReplacementFile(const QString& path, const QString& album, const QString& name, const QString& address) {
    return SendFileToImageService(path, QStringLiteral("UploadFile02"),
                                  [&](const QString& ext, const QByteArray& bytes) -> QList<SoapArgument> {
                                      return {CurrentUserName, LoginField(5), LoginField(6), album, name, ext,
                                              address, bytes};
                                  });
}

QString ReplacementFailureMessage(const QString& reply) {
    static const QList<QPair<QString, QString>> kMessages{
        {kError_0000, QStringLiteral("错误 0000，上传失败：网络中断，请稍候再试。")},
        {kError_0001, QStringLiteral("错误 0001，上传失败。")},
        {kError_0002, QStringLiteral("错误 0002，上传失败。")},
        {kError_0003, QStringLiteral("错误 0003，上传失败。")},
        {kError_0004, QStringLiteral("错误 0004：上传失败！网络空间已满，请您删除部份文件或扩容后再试。")},
        {kError_0005, QStringLiteral("错误 0005：上传失败！网络空间已过期，请您给网络空间继费后再试。")},
        {kUploadNoFile, kUploadNoFile},
        {kUploadWrongType, QStringLiteral("不支持此文件类型上传，上传失败！")},
    };
    for (const auto& [code, message] : kMessages)
        if (reply == code) return message;
    return QStringLiteral("错误 0006：上传失败！意外错误，请您重新登录本软件再试。");
}

void RecordReplacement(const QString& reply, const QString& album, const QString& address) {
    const QString text = UnescapeTableSeparators(QString(reply).remove(kOK_0001Stamp));
    const Table newFile = ParseTableText(QStringLiteral("NewFile"), text);
    if (newFile.isNull()) return;

    int fileRow = -1;
    if (!AlbumFiles.isNull())
        for (int r = 0; r < AlbumFiles.rows() && fileRow < 0; ++r)
            if (AlbumFiles.value(r, 0) == address) fileRow = r;

    QString oldStamp;
    bool stampRecorded = false;
    if (frm个人网站Labels::labDownDirFlag == u"1") {
        for (int r = AlbumList.rows() - 1; r >= 0; --r)  // the first row of the album counts
            if (AlbumList.value(r, AlbumListField::Name) == album) oldStamp = AlbumList.value(r, AlbumListField::Stamp);
        stampRecorded = RecordAlbumStamp(album, newFile.value(0, kNewFileAlbumStamp));
    }
    if (fileRow < 0) return;
    Table updated = AlbumFiles;
    for (const auto& [from, to] : kNewFileToFileInfo) updated.set(fileRow, to, newFile.value(0, from));
    const QString listFile = AlbumFileListPath(album);
    try {
        if (!listFile.isEmpty()) WriteTableFile(updated, listFile, QStringLiteral("FileInfo"));
    } catch (const VbError&) {
        // Both caches or neither: the album's stamp goes back as it was.
        if (stampRecorded) {
            try {
                RecordAlbumStamp(album, oldStamp);
            } catch (const VbError&) {
            }
        }
        throw;
    }
    AlbumFiles = updated;
}

QString LocalThumbnailPath(const QString& album, const QString& name, const QString& ext) {
    return MemberPath({QStringLiteral("UpLoadPicture"), album, name + ext});
}

// ---- the window's logic

void SingleFileUploadController::cmdSearch_Click() {
    const QString filter = ReplacementChooserFilter(frm上传单个文件Labels::labWebPath);
    CALL_REQUIRED_HOOK(view.enableWindow, false);
    const QString chosen = prompts::current().openFile(QStringLiteral("打开"), filter, QString());
    if (chosen.isEmpty()) {
        CALL_REQUIRED_HOOK(view.enableWindow, true);
        return;
    }
    try {
        CALL_REQUIRED_HOOK(view.setPath, chosen);
        CALL_REQUIRED_HOOK(view.doEvents);
        chooseFile();
    } catch (const std::exception& e) {
        CALL_REQUIRED_HOOK(view.enableWindow, true);
        const auto* vbe = dynamic_cast<const VbError*>(&e);
        MsgBox(QStringLiteral("错误！ ") + (vbe ? vbe->description() : QString::fromLocal8Bit(e.what())), vbInformation,
               QStringLiteral("提示"));
    }
}

void SingleFileUploadController::chooseFile() {
    const QString path = AskRequiredHook(view.pathText);
    const ChosenFileVerdict v = JudgeChosenFile(path, AskRequiredHook(view.picZipTicked));
    if (v.refused) {
        MsgBox(v.message, vbInformation, QString());
        CALL_REQUIRED_HOOK(view.setPath, QString());
    } else {
        if (!v.selectInfo.isEmpty()) CALL_REQUIRED_HOOK(view.setSelectInfo, v.selectInfo);
        if (v.enableTurns) CALL_REQUIRED_HOOK(view.enableTurns, true);
        if (v.show == ChosenShow::Preview)
            CALL_REQUIRED_HOOK(view.fitPreview, vb::Trim(path));
        else if (v.show != ChosenShow::Nothing)
            CALL_REQUIRED_HOOK(view.showListPicture, v.show);
    }
    TurnCount = 0;
    CALL_REQUIRED_HOOK(view.enableWindow, true);
}

void SingleFileUploadController::Turn(int step) {
    CALL_REQUIRED_HOOK(view.enableTurnButton, step, false);
    // Every turn starts again from the chosen file: the picture shown is always the file turned
    // by TurnCount quarter turns.
    REQUIRE_HOOK(view.loadTurnSource);
    if (view.loadTurnSource && view.loadTurnSource(AskRequiredHook(view.pathText))) {
        TurnCount = NextTurnCount(TurnCount, step);
        TurnAngle = float(TurnCount * 90);
        REQUIRE_HOOK(view.showTurned);
        if (view.showTurned) view.showTurned(TurnAngle, UserFile(kTurnedPreviewFile));
    }
    CALL_REQUIRED_HOOK(view.enableTurnButton, step, true);
}

void SingleFileUploadController::cheWatermarkAndBorder_Click(bool ticked) {
    CALL_REQUIRED_HOOK(view.lockPicZip, ticked, ticked ? kPicZipLockedCaption : kPicZipCaption);
}

void SingleFileUploadController::cmdSetWaterMark_Click() { CALL_REQUIRED_HOOK(view.openWatermarkSettings); }

void SingleFileUploadController::cmdReSelect_Click() {
    CALL_REQUIRED_HOOK(view.clearPreview);
    CALL_REQUIRED_HOOK(view.setPath, QString());
    CALL_REQUIRED_HOOK(view.enableSearch, true);
    CALL_REQUIRED_HOOK(view.enableTurns, false);
    CALL_REQUIRED_HOOK(view.showWait, false, QString());
    TurnCount = 0;
}

void SingleFileUploadController::cmdUploadFiles_Click() {
    if (GetUserSetting(UcsHintScreenshotSingle).isEmpty()) {
        frm个人网站Labels::labUploadJM = QStringLiteral("3");
        CALL_REQUIRED_HOOK(view.showScreenshotWarning);
    }
    CALL_REQUIRED_HOOK(view.enableSearch, false);
    CALL_REQUIRED_HOOK(view.enableUpload, false);
    CALL_REQUIRED_HOOK(view.showWait, true, kUploadingCaption);

    const QString typed = AskRequiredHook(view.pathText);
    const QString p = vb::Trim(typed);
    bool prepared = false;
    try {
        if (!p.isEmpty()) {
            CALL_REQUIRED_HOOK(view.setUploadNow, p);
            const QString ext = vb::Right(typed, 4).toLower();
            const UploadRoute route = DecideUploadRoute(ext, FileSizeKb(p), AskRequiredHook(view.watermarkTicked),
                                                        AskRequiredHook(view.picZipTicked), TurnCount);
            if (route == UploadRoute::TooLarge) {
                CALL_REQUIRED_HOOK(view.setSelectInfo, kReplaceTooLargeNotice);
            } else {
                if (IsTurnablePicture(ext)) frm个人网站Labels::labRotation = QString::number(TurnCount);
                QString send = p;
                if (route != UploadRoute::AsChosen) {
                    prepared = true;
                    frm个人网站Labels::labZipPicPath = p;
                    frm个人网站Labels::labUploadWatermarkBorder =
                        route == UploadRoute::PrepareWithOverlays ? QStringLiteral("1") : QStringLiteral("0");
                    CALL_REQUIRED_HOOK(view.runComposer);
                    send = UserFile(kPreparedPictureFile);
                }
                const QString reply = UploadReplacementFile(send, frm上传单个文件Labels::labWebDir,
                                                            frm上传单个文件Labels::labFileName,
                                                            frm上传单个文件Labels::labWebPath);
                if (ReplyStartsWith(reply, kOK_0001Stamp, Qt::CaseInsensitive)) {
                    RecordReplacement(reply, frm上传单个文件Labels::labWebDir, frm上传单个文件Labels::labWebPath);
                    DialogState = 99;
                    RefreshLocalThumbnail(send);
                    MsgBox(kReplaceDoneMessage, vbInformation, QStringLiteral("提示"));
                    CALL_REQUIRED_HOOK(view.closeWindow);
                    return;
                }
                MsgBox(ReplacementFailureMessage(reply), vbInformation, QStringLiteral("提示"));
                if (prepared) QFile::remove(UserFile(kPreparedPictureFile));
            }
        }
    } catch (const VbError&) {
        // A cache that could not be written: the file went up, but the window stays open so the
        // member can send it again.
        MsgBox(kServiceErrorMessage, vbInformation, QStringLiteral("提示"));
    }
    CALL_REQUIRED_HOOK(view.showWait, false, kUploadingCaption);
    CALL_REQUIRED_HOOK(view.enableUpload, true);
}

bool SingleFileUploadController::RefreshLocalThumbnail(const QString& path) {
    const QString ext = vb::Right(path, 4).toLower();
    if (ext != u".jpg" && ext != u".bmp" && ext != u".gif") return false;
    try {
        const QString bmp = UserFile(kPreparedGrabFile);
        const QString jpeg = UserFile(kPreparedPictureFile);
        REQUIRE_HOOK(view.renderThumbnail);
        const bool rendered = view.renderThumbnail && view.renderThumbnail(path, bmp, jpeg);
        QFile::remove(bmp);
        if (!rendered) return false;
        if (QFileInfo::exists(jpeg)) {
            const QString thumbnail =
                LocalThumbnailPath(frm上传单个文件Labels::labWebDir, frm上传单个文件Labels::labFileName, ext);
            QDir().mkpath(QFileInfo(thumbnail).path());
            QFile::remove(thumbnail);
            if (!QFile::copy(jpeg, thumbnail)) return false;
            const int index = frm上传单个文件Labels::labIndex == u"15" ? 15 : frm上传单个文件Labels::labIndex.toInt();
            CALL_REQUIRED_HOOK(view.showInFileManager, index, thumbnail);
            QFile::remove(jpeg);
        }
        CALL_REQUIRED_HOOK(view.clearTurnPreview);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
