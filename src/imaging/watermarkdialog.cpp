#include "imaging/watermarkdialog.h"

#include "platform/fontnames.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

constexpr int kInvalidPicture = 481;

const QString kTitle = QStringLiteral("提示");

// A chosen picture waiting to be copied into the member's folder.
struct PendingCopy {
    QString target;
    QByteArray bytes;
};

// The bytes of a chosen picture for its copy, or nothing when no copy is due: no chosen file (after
// opening, the label holds only an extension), or the chosen file is the copy itself.
std::optional<PendingCopy> ReadCopySource(const QString& source, const QString& target) {
    const QFileInfo from(source);
    if (source.isEmpty() || !from.isAbsolute() || !from.isFile()) return std::nullopt;
    const QFileInfo to(target);
    if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath()) return std::nullopt;
    QFile f(source);
    if (!f.open(QIODevice::ReadOnly))
        throw VbError(VbError::PathFileAccess, QStringLiteral("无法读取文件：") + QDir::toNativeSeparators(source));
    return PendingCopy{target, f.readAll()};
}

}  // namespace

QStringList WatermarkFontNames() { return WithoutPrinterFonts(ScreenFontNames()); }

QStringList WithoutPrinterFonts(const QStringList& fonts) {
    QStringList names;
    for (const QString& name : fonts) {
        const QString upper = name.toUpper();
        if (!upper.contains(QLatin1String("CPI")) && !upper.contains(QLatin1String("POINT"))) names.append(name);
    }
    return names;
}

QString DesignedWatermarkText() { return QStringLiteral("www.") + serviceconfig::current().domain; }

QString DefaultWatermarkText() {
    const QString label = LoginField(12);
    return label.isEmpty() ? DesignedWatermarkText()
                           : QStringLiteral("www.") + label + QLatin1Char('.') + serviceconfig::current().domain;
}

void LoadWatermarkDialog(const WatermarkDialogView& view) {
    REQUIRE_HOOK(view.setText);
    REQUIRE_HOOK(view.showSettings);
    REQUIRE_HOOK(view.setBorderFlag);
    REQUIRE_HOOK(view.showWatermarkCopy);
    REQUIRE_HOOK(view.showBorderCopy);
    REQUIRE_HOOK(view.placeAll);
    REQUIRE_HOOK(view.setSaveEnabled);
    const QDir folder(UserFolder);
    if (!QFileInfo::exists(folder.filePath(QString::fromLatin1(kWatermarkSettingsFile)))) {
        view.setText(DefaultWatermarkText());
    } else if (const auto saved = ReadWatermarkSettings(UserFolder)) {
        view.showSettings(*saved);
        const QString copy = folder.filePath(WatermarkCopyFile(saved->pictureExtension));
        if (saved->hasPicture && !saved->pictureExtension.isEmpty() && QFileInfo(copy).isFile())
            view.showWatermarkCopy(copy);
        view.setBorderFlag(saved->hasBorder);
        const QString border = folder.filePath(QString::fromLatin1(kBorderCopyFile));
        if (saved->hasBorder && QFileInfo(border).isFile()) view.showBorderCopy(border);
    }
    view.placeAll();
    view.setSaveEnabled(false);
}

bool SaveWatermarkDialog(const WatermarkDialogView& view) {
    REQUIRE_HOOK(view.settings);
    REQUIRE_HOOK(view.pictureWatermarkPath);
    REQUIRE_HOOK(view.borderPath);
    REQUIRE_HOOK(view.setSaveEnabled);
    const WatermarkSettings s = view.settings();
    // Both readers split the row at these; neither could read the text back.
    if (HoldsTableSeparator(s.text)) {
        MsgBox(QStringLiteral("水印文字中不能包含“</F>”、“<//R>”或“<///T>”。"), vbInformation, kTitle);
        return false;
    }
    const QDir folder(UserFolder);
    try {
        // The sources are read before anything is written, so an unreadable one changes nothing.
        std::optional<PendingCopy> picture;
        if (s.hasPicture)
            picture = ReadCopySource(view.pictureWatermarkPath(), folder.filePath(WatermarkCopyFile(s.pictureExtension)));
        const std::optional<PendingCopy> border =
            ReadCopySource(view.borderPath(), folder.filePath(QString::fromLatin1(kBorderCopyFile)));
        WriteWatermarkSettings(UserFolder, s);
        if (picture) paths::WriteFileSafely(picture->target, picture->bytes);
        if (border) paths::WriteFileSafely(border->target, border->bytes);
    } catch (const VbError& e) {
        ShowWatermarkError(e);
        return false;
    }
    MsgBox(QStringLiteral("水印、边框信息保存成功！"), vbInformation, kTitle);
    view.setSaveEnabled(false);
    return true;
}

bool QueryUnloadWatermarkDialog(const WatermarkDialogView& view) {
    REQUIRE_HOOK(view.saveEnabled);
    if (!view.saveEnabled()) return true;
    if (MsgBox(QStringLiteral("是否要保存刚才的设置？"), vbQuestion | vbYesNo, kTitle) != vbYes) return true;
    return SaveWatermarkDialog(view);
}

QImage LoadOverlayPicture(const QString& path) {
    QImage picture(path);
    if (picture.isNull()) throw VbError(kInvalidPicture, QStringLiteral("无效的图片"));
    return picture;
}

void ShowWatermarkError(const VbError& e) {
    MsgBox(QStringLiteral("错误：") + QString::number(e.number()) + QStringLiteral("\r\r") + e.description(), vbInformation,
           QStringLiteral("错误提示"));
}
