#include "celleditor/picturesources.h"

#include "foundation/servicecall.h"
#include "platform/serviceconfig.h"
#include "platform/vbtext.h"

#include <QFileInfo>

QString PictureFileType(const QString& path) { return vb::Trim(path).right(4).toLower(); }

QString OversizePictureMessage(const QString& path) {
    const QString trimmed = vb::Trim(path);
    const QString type = PictureFileType(path);
    if (type == QLatin1String(".jpg") || type == QLatin1String(".bmp")) return QString();
    const QFileInfo info(trimmed);
    if (!info.isFile() || UploadSizeKb(info.size()) <= 500) return QString();
    return QStringLiteral("错误！文件：") + trimmed + QStringLiteral(" 的大小超出500K！");
}

GifFit FitGifForeground(int w, int h, int cw, int ch) {
    GifFit fit{QString::number(cw), QString::number(ch), w, h};
    // A scaled side keeps its fraction in the record, as the runtime writes a double.
    const auto text = [](double v) { return QString::number(v, 'g', 15); };
    double width = w, height = h;
    if (width > cw) {
        const double scaled = double(cw) * height / width;
        fit.recordWidth = QString::number(cw);
        fit.recordHeight = text(scaled);
        width = cw;
        height = double(vb::RoundHalfEven(scaled));
    }
    if (height > ch) {
        const double scaled = double(ch) * width / height;
        fit.recordHeight = QString::number(ch);
        fit.recordWidth = text(scaled);
        height = ch;
        width = double(vb::RoundHalfEven(scaled));
    }
    fit.boxWidth = int(width);
    fit.boxHeight = int(height);
    return fit;
}

PictureSizeDialogTexts SizeDialogTexts(bool foreground, const QString& cellWidth, const QString& cellHeight) {
    PictureSizeDialogTexts t;
    const QString size = cellWidth + QStringLiteral("×") + cellHeight + QStringLiteral("(像素)]");
    t.opt1 = QStringLiteral("按图像比例缩小并剪裁（推荐）");
    if (foreground) {
        t.caption = QStringLiteral("前景图片设置");
        t.label1 = QStringLiteral("您所选的图片的尺寸大于当前设置区域的尺寸[") + size + QStringLiteral("，请您选择以下的处理方式：");
        t.option2 = QStringLiteral("自动缩放到填满当前设置区域（不推荐，因为会使图片变形）");
        t.cropMode = 1;
    } else {
        t.caption = QStringLiteral("背景图片设置");
        t.label1 = QStringLiteral("您所选的图片的尺寸大小与当前设置区域的尺寸[") + size +
                   QStringLiteral("不相符，请您选择以下的处理方式：");
        t.option2 = QStringLiteral("平铺到整个区域中。");
        t.cropMode = 0;
    }
    return t;
}

QString MaterialsPageNumber(const QString& cell) {
    if (cell == QLatin1String("19")) return QStringLiteral("13");
    if (cell == QLatin1String("20")) return QStringLiteral("14");
    if (cell == QLatin1String("21")) return QStringLiteral("15");
    if (cell == QLatin1String("24")) return QStringLiteral("7");
    return cell;
}

QString MaterialsPageUrl(bool foreground, const QString& cell) {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Materials) +
           QStringLiteral("/pwtd/sc01/") + (foreground ? QStringLiteral("qj") : QStringLiteral("bj")) +
           MaterialsPageNumber(cell) + QStringLiteral(".aspx");
}
