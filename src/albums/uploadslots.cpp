#include "albums/uploadslots.h"

#include "foundation/folders.h"
#include "foundation/servicecall.h"
#include "imaging/dibsection.h"
#include "imaging/previewlayout.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/imagingstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace {
constexpr int kSlots = 10;
constexpr int kSizeLimit = 500;
const QChar CR(QLatin1Char('\r'));

QString Trimmed(const QString& s) { return vb::Trim(s); }

// What the runtime said of a picture it could not load.
VbError InvalidPicture() { return VbError(481, QStringLiteral("无效图片")); }

// A caption read as a number, as the runtime's conversion does; text that is no number is an
// error of the pass.
double Number(const QString& caption) {
    if (!vb::IsNumeric(caption)) throw VbError(13, QStringLiteral("类型不匹配"));
    return vb::Val(caption);
}

QSize NaturalOf(QSize pixels) { return QSize(twips::FromPixels(pixels.width()), twips::FromPixels(pixels.height())); }
}  // namespace

QSize FitIntoSquare(double w, double h, int L) {
    if (w <= L && h <= L) return QSize(int(w), int(h));
    // A side of 0 has no proportion to keep; the longer side still takes L.
    if (w <= 0 || h <= 0) return w > L ? QSize(L, 0) : QSize(0, L);
    if (w > L) {
        const qint64 hh = vb::RoundHalfEven(h * (L / w));
        if (hh <= L) return QSize(L, int(hh));
        return QSize(int(vb::RoundHalfEven(L / h * w)), L);
    }
    const qint64 ww = vb::RoundHalfEven(L / h * w);
    if (ww > L) return QSize(L, int(vb::RoundHalfEven(L / w * h)));
    return QSize(int(ww), L);
}

int SlotSizeValue(qint64 bytes) { return int(UploadSizeKb(bytes)); }

QString SlotFileType(const QString& path) {
    const QString type = path.right(4).toLower();
    static const QStringList known{".jpg", ".gif", ".bmp", ".png", ".swf"};
    return known.contains(type) ? type : QString();
}

QImage DecodeScaled(const QString& path, int maxSide) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > maxSide) {
        // The preview box's own rounding, so the decoded copy is the preview's size exactly.
        const QSize fitted = FittedSize(size.width(), size.height(), maxSide).expandedTo(QSize(1, 1));
        reader.setScaledSize(fitted);
    }
    return reader.read();
}

SlotProbe DiskProbe() {
    SlotProbe p;
    p.exists = [](const QString& path) { return QFileInfo(path).isFile(); };
    p.length = [](const QString& path) { return QFileInfo(path).size(); };
    p.pictureSize = [](const QString& path) { return QImageReader(path).size(); };
    p.decode = &DecodeScaled;
    return p;
}

namespace uploadslots {
QString FilterWithFlash() {
    return QStringLiteral(
        "图像文件(*.jpg;*.gif;*.png;*.bmp;*.swf)|*.jpg;*.gif;*.png;*.bmp;*.swf|JPEG文件(*.jpg)|*.jpg|GIF文件(*.gif)|*.gif|"
        "PNG文件(*.png)|*.png|BMP文件(*.bmp)|*.bmp|Flash文件(*.swf)|*.swf");
}
QString PicturesFilter() {
    return QStringLiteral(
        "图像文件(*.jpg;*.gif;*.png;*.bmp)|*.jpg;*.gif;*.png;*.bmp|JPEG文件(*.jpg)|*.jpg|GIF文件(*.gif)|*.gif|"
        "PNG文件(*.png)|*.png|BMP文件(*.bmp)|*.bmp");
}
QString MissingMessage(const QString& path) { return QStringLiteral("错误！文件：") + path + QStringLiteral(" 不存在。"); }
QString TooLargeMessage(const QString& path) {
    return QStringLiteral("错误！文件：") + path + QStringLiteral(" 的大小超出500K。") + CR + CR + QStringLiteral("无法上传此文件。");
}
QString EditFirstMessage(const QString& path) {
    return QStringLiteral("错误！文件：") + path + QStringLiteral(" 的大小超出500K。") + CR + CR +
           QStringLiteral("请您先用本软件的“图像编辑”功能把图像缩小并保存成小于500K的文件后再上传。");
}
QString ConversionNote() { return QStringLiteral("文件大于500k，上传时将转换成 600×600 (像素)以内的图像。"); }
QString GroupsMessage(int chosen, int placed, int groups) {
    return QStringLiteral("您选择了 %1 个文件，大于当前可供使用的上传位置（%2个），将自动分为%3组（每组最多10个文件）来上传。")
        .arg(chosen)
        .arg(placed)
        .arg(groups);
}
QString DroppedMessage(int chosen, int placed) {
    return QStringLiteral("您选择了 %1 个文件，但当前只有 %2 个上传位置可供使用，").arg(chosen).arg(placed) + CR + CR +
           QStringLiteral("将选择其中的 %1 个文件上传，其余文件请在下次上传。").arg(placed);
}
}  // namespace uploadslots

std::array<RingBox, 10> UploadSlotsController::InitialRing() {
    std::array<RingBox, 10> r{};
    for (int i = 0; i < kSlots; ++i) r[size_t(i)].left = uploadslots::kRingLeft + uploadslots::kRingStep * i;
    return r;
}

void UploadSlotsController::showSlot(int i) { CALL_REQUIRED_HOOK(view.showSlot, i); }

int UploadSlotsController::FilledSlots() const {
    return int(std::count_if(slot.begin(), slot.end(), [](const UploadSlot& s) { return !Trimmed(s.txtPath).isEmpty(); }));
}

void UploadSlotsController::cmdSearch_Click(int index) {
    if (index < 0 || index >= kSlots) return;
    HideBigView();
    CALL_REQUIRED_HOOK(view.setBusy, true);
    const bool withFlash = variant() == UploadVariant::Album && frm上传Labels::picAlbumVisible;
    const QStringList chosen = prompts::current().openFiles(
        QString(), QtFileFilter(withFlash ? uploadslots::FilterWithFlash() : uploadslots::PicturesFilter()), QString());
    if (chosen.isEmpty()) {
        CALL_REQUIRED_HOOK(view.setBusy, false);
        return;
    }
    if (chosen.size() == 1) {
        // One name counts only as an ordinary file that is not hidden; anything else chosen alone
        // (a dot-file, a typed name of no file) leaves everything as it was.
        const QFileInfo file(chosen.first());
        if (!file.isFile() || file.isHidden()) {
            CALL_REQUIRED_HOOK(view.setBusy, false);
            return;
        }
        // A slot that shows a file is emptied first, whatever its button says after a run.
        if (slot[size_t(index)].cmdOperationEnabled) ClearSlot(index);
        slot[size_t(index)].txtPath = chosen.first();
        showSlot(index);
    } else {
        PlaceFiles(chosen);
    }
    const bool checked = CheckAndShowSlots();
    if (checked && FilledSlots() > 0) {
        CALL_REQUIRED_HOOK(view.showUploadInfo, true);
        if (variant() == UploadVariant::Album) CALL_REQUIRED_HOOK(view.showStartHint);
    }
    CALL_REQUIRED_HOOK(view.setBusy, false);
}

int UploadSlotsController::PlaceFiles(const QStringList& paths) {
    const int n = int(paths.size());
    int placed = 0;
    for (int i = 0; i < kSlots && placed < n; ++i) {
        if (!slot[size_t(i)].txtPath.isEmpty()) continue;  // blanks are not empty here
        slot[size_t(i)].txtPath = paths[placed++];
        showSlot(i);
    }
    if (placed >= n) return placed;
    if (variant() == UploadVariant::Sized) {
        MsgBox(uploadslots::DroppedMessage(n, placed), vbInformation, QStringLiteral("提示"));
        return placed;
    }
    // Indexes 0 to 9 stand for the group in the slots; the rest wait for later groups.
    data.GroupFileCount = n - placed + kSlots;
    data.GroupFiles = QStringList(data.GroupFileCount + 1);
    for (int k = placed; k < n; ++k) data.GroupFiles[kSlots + k - placed] = paths[k];
    data.LastGroupIndex = data.GroupFileCount % kSlots == 0 ? data.GroupFileCount / kSlots - 1 : data.GroupFileCount / kSlots;
    data.CurrentGroupIndex = 0;
    data.MoreGroupsPending = true;
    MsgBox(uploadslots::GroupsMessage(n, placed, data.LastGroupIndex + 1), vbInformation, QStringLiteral("提示"));
    return placed;
}

bool UploadSlotsController::CheckAndShowSlots(bool perSlotErrors) {
    for (int i = 0; i < kSlots; ++i) {
        if (slot[size_t(i)].txtPath.isEmpty()) continue;
        // Paints (the progress of the pass) get through; input does not reach the disabled frame.
        QCoreApplication::processEvents();
        try {
            checkSlot(i);
        } catch (const VbError& e) {
            if (perSlotErrors) {
                slot[size_t(i)].status = e.description();
                slot[size_t(i)].txtPath.clear();
                showSlot(i);
                continue;
            }
            showSlot(i);
            MsgBox(QStringLiteral("错误！ ") + e.description(), vbInformation, QStringLiteral("提示"));
            return false;
        }
    }
    return true;
}

void UploadSlotsController::DeleteCutFiles() {
    for (QString& cut : data.SlotCutFile) {
        if (!cut.isEmpty()) QFile::remove(cut);
        cut.clear();
    }
}

void UploadSlotsController::checkSlot(int i) {
    UploadSlot& s = slot[size_t(i)];
    const QString path = Trimmed(s.txtPath);
    if (!probe.exists(path)) {
        MsgBox(uploadslots::MissingMessage(path), vbInformation, QString());
        // A slot shown earlier would otherwise keep a thumbnail of a file that is not sent.
        if (s.picViewVisible) ClearSlot(i);
        s.txtPath.clear();
        showSlot(i);
        return;
    }
    if (s.picViewVisible) return;
    const int size = SlotSizeValue(probe.length(path));
    const QString type = SlotFileType(path);
    const bool large = size > kSizeLimit;
    auto refuse = [&](const QString& message) {
        MsgBox(message, vbInformation, QString());
        s.txtPath.clear();
        showSlot(i);
    };
    if (type.isEmpty()) return;  // no type: the slot stays chosen, without a word
    if (type == QLatin1String(".swf") || type == QLatin1String(".png")) {
        if (large) return refuse(uploadslots::TooLargeMessage(path));
        s.iconKey = type.mid(1) + QLatin1Char('1');
        s.picture = QImage();
        s.picViewVisible = true;
        s.cmdOperationEnabled = true;
        showSlot(i);
        return;
    }
    const bool turnable = type == QLatin1String(".jpg") || type == QLatin1String(".bmp");
    if (large) {
        if (type == QLatin1String(".gif")) return refuse(uploadslots::EditFirstMessage(path));
        if (variant() == UploadVariant::Album) {
            if (!AskRequiredHook(view.picZipTicked)) return refuse(uploadslots::EditFirstMessage(path));
            s.status = uploadslots::ConversionNote();
        }
    }
    QSize pixels = probe.pictureSize(path);
    if (!pixels.isValid()) throw InvalidPicture();
    QString shown = path;
    if (variant() == UploadVariant::Sized) {
        // Wider or taller than the widget asks: cut to that size first. A cut that was not
        // confirmed leaves no file and empties the slot; an older cut is never taken.
        const QSize natural = NaturalOf(pixels);
        if (Number(frm个人网站Labels::labWidth) < natural.width() || Number(frm个人网站Labels::labHeight) < natural.height()) {
            const QString cut = MemberPath({QStringLiteral("Cut") + QString::number(i) + QStringLiteral(".jpg")});
            QFile::remove(cut);
            frm个人网站Labels::labCutFileName = cut;
            frm个人网站Labels::labCutPicPath = path;
            CropTargetMode = CropTarget::UploadSlot;
            CALL_REQUIRED_HOOK(view.openCropDialog);
            if (!probe.exists(cut)) {
                s.txtPath.clear();
                s.status.clear();
                showSlot(i);
                return;
            }
            data.SlotCutFile[size_t(i)] = cut;
            pixels = probe.pictureSize(cut);
            if (!pixels.isValid()) throw InvalidPicture();
            shown = cut;
        }
    }
    if (!showPicture(i, shown, pixels)) throw InvalidPicture();
    s.cmdLeftEnabled = s.cmdRightEnabled = turnable;
    s.picViewVisible = true;
    s.cmdOperationEnabled = true;
    showSlot(i);
}

// The thumbnail of a picture file: fitted into the box, centred, and decoded no larger than the
// big view shows it.
bool UploadSlotsController::showPicture(int i, const QString& file, QSize pixels) {
    UploadSlot& s = slot[size_t(i)];
    const QImage picture = probe.decode(file, uploadslots::kPreviewPixels);
    if (picture.isNull()) return false;
    setThumbnail(s, picture, NaturalOf(pixels));
    return true;
}

void UploadSlotsController::setThumbnail(UploadSlot& s, const QImage& picture, QSize natural) {
    s.picture = picture;
    s.iconKey.clear();
    s.natural = natural;
    s.thumb = FitIntoSquare(natural.width(), natural.height(), uploadslots::kThumbSide);
    s.thumbLeft = (uploadslots::kThumbSide - s.thumb.width()) / 2.0;
    s.thumbTop = (uploadslots::kThumbSide - s.thumb.height()) / 2.0;
}

void UploadSlotsController::emptySlot(int i) {
    UploadSlot& s = slot[size_t(i)];
    s.progress = SlotProgress::None;
    s.bytesSent = s.bytesTotal = 0;
    // The cut copy is kept for a retry until its slot starts afresh.
    if (!data.SlotCutFile[size_t(i)].isEmpty()) QFile::remove(data.SlotCutFile[size_t(i)]);
    s.picture = QImage();
    s.iconKey.clear();
    s.picViewVisible = false;
    s.txtPath.clear();
    s.txtMemo.clear();
    s.cmdOperationEnabled = false;
    s.status.clear();
    s.cmdLeftEnabled = s.cmdRightEnabled = false;
    data.SlotRotation[size_t(i)] = 0;
    data.SlotCutFile[size_t(i)].clear();
}

void UploadSlotsController::ClearSlot(int index) {
    if (index < 0 || index >= kSlots) return;
    emptySlot(index);
    HideBigView();
    showSlot(index);
}

void UploadSlotsController::cmdReSelect_Click() {
    for (int i = 0; i < kSlots; ++i) {
        emptySlot(i);
        slot[size_t(i)].cmdOperationCaption = QStringLiteral("取 消");
        slot[size_t(i)].cmdSearchEnabled = true;
        showSlot(i);
    }
    CALL_REQUIRED_HOOK(view.showUploadInfo, false);
    labUpload = QStringLiteral("1");
    CALL_REQUIRED_HOOK(view.showUploadReady);
}

bool UploadSlotsController::Turn(int index, int direction) {
    if (index < 0 || index >= kSlots) return false;
    UploadSlot& s = slot[size_t(index)];
    bool& button = direction < 0 ? s.cmdLeftEnabled : s.cmdRightEnabled;
    button = false;
    showSlot(index);
    bool turned = false;
    [&] {
        const QString cut = data.SlotCutFile[size_t(index)];
        const QString file = variant() == UploadVariant::Sized && !cut.isEmpty() ? cut : Trimmed(s.txtPath);
        if (!QFileInfo(file).isFile()) return;
        const QImage source = DecodeScaled(file, uploadslots::kPreviewPixels);
        if (source.isNull()) return;
        int rotation = data.SlotRotation[size_t(index)] + (direction < 0 ? -1 : 1);
        if (rotation == 4 || rotation == -4) rotation = 0;
        REQUIRE_HOOK(view.turnedPreview);
        if (!view.turnedPreview) return;
        const QImage preview = view.turnedPreview(source, rotation * 90);
        if (preview.isNull()) return;
        // The album window's right turn keeps its scratch picture in the program folder.
        const QString folder =
            variant() == UploadVariant::Album && direction > 0 ? paths::DataRoot() : UserFolder;
        const QString scratch = folder + QStringLiteral("/savepic.bmp");
        cDIBSection1 bitmap;
        if (!bitmap.CreateFromHandle(preview, 0, 0, -1, -1) || !bitmap.SaveBitmap(scratch)) return;
        const QImage saved(scratch);
        if (saved.isNull()) return;
        // The new count holds only once the thumbnail shows it, so what is sent is what is seen.
        setThumbnail(s, saved, NaturalOf(saved.size()));
        data.SlotRotation[size_t(index)] = rotation;
        turned = true;
    }();
    button = true;
    showSlot(index);
    return turned;
}

void UploadSlotsController::showBig(const QImage& picture, const QString& iconKey, QSize natural) {
    bigView.picture = picture;
    bigView.iconKey = iconKey;
    bigView.size = iconKey.isEmpty() ? FitIntoSquare(natural.width(), natural.height(), uploadslots::kBigViewSide)
                                     : QSize(uploadslots::kIconSide, uploadslots::kIconSide);
    bigView.left = (uploadslots::kBigViewSide - bigView.size.width()) / 2.0;
    bigView.top = (uploadslots::kBigViewSide - bigView.size.height()) / 2.0;
    bigView.imageVisible = true;
    bigView.visible = true;
}

void UploadSlotsController::imgView_MouseMove(int index) {
    if (index < 0 || index >= kSlots) return;
    const UploadSlot& s = slot[size_t(index)];
    const QString path = Trimmed(s.txtPath);
    if (path.isEmpty()) return;
    const QString ext = path.right(4).toLower();
    bigView.imageVisible = false;
    if (ext == QLatin1String(".swf") || ext == QLatin1String(".png"))
        showBig(QImage(), ext.mid(1) + QLatin1Char('2'), QSize());
    else if (ext == QLatin1String(".jpg") || ext == QLatin1String(".gif") || ext == QLatin1String(".bmp"))
        showBig(s.picture, s.iconKey, s.natural);
    CALL_REQUIRED_HOOK(view.showBigView);
}

void UploadSlotsController::imgUpload_MouseMove(int index) {
    if (index < 0 || index >= kSlots) return;
    const RingBox& box = ring[size_t(index)];
    bigView.imageVisible = false;
    showBig(box.picture, box.iconKey, box.natural);
    CALL_REQUIRED_HOOK(view.showBigView);
}

void UploadSlotsController::HideBigView() {
    if (!bigView.visible) return;
    bigView.visible = false;
    CALL_REQUIRED_HOOK(view.showBigView);
}

void UploadSlotsController::AddRecentUploadThumb(int slotIndex) {
    if (slotIndex < 0 || slotIndex >= kSlots) return;
    const int n = int(vb::RoundClamped(vb::Val(labPX), 0, kSlots - 1));
    const int t = kSlots - 1 - n;
    labPX = QString::number((n + 1) % kSlots);
    const UploadSlot& s = slot[size_t(slotIndex)];
    RingBox& box = ring[size_t(t)];
    box.picture = s.picture;
    box.iconKey = s.iconKey;
    box.natural = s.natural;
    box.size = s.thumb;
    box.imageLeft = (uploadslots::kRingBox - box.size.width()) / 2.0;
    box.imageTop = (uploadslots::kRingBox - box.size.height()) / 2.0;
    for (RingBox& b : ring) b.left += uploadslots::kRingStep;
    box.left = uploadslots::kRingLeft;
    box.imageVisible = true;
    CALL_REQUIRED_HOOK(view.showRing);
}
