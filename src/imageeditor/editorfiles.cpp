#include "imageeditor/editorfiles.h"

#include "imageeditor/imageeditor.h"
#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "platform/prompts.h"
#include "platform/vberror.h"

void EditorFiles::tooPic_ButtonClick(const QString& key) {
    if (key == QLatin1String("Open"))
        Open();
    else if (key == QLatin1String("Save"))
        Save();
}

void EditorFiles::Open() {
    editor.layout.picHelpVisible = false;
    refresh();
    const QString chosen = prompts::current().openFile(
        QStringLiteral("打开"),
        QStringLiteral("图像文件(*.gif;*.jpg) (*.gif *.jpg);;其他图像文件(*.bmp;*.png;*.ico) (*.bmp *.png *.ico)"),
        labOpenPath.isEmpty() ? dia1FileName : labOpenPath);
    if (chosen.isEmpty()) return;
    dia1FileName = chosen;
    canvas.imgPicStretch = false;
    CanvasPicture opened = OpenEditorPicture(chosen);
    const QSize picture = opened.pixelSize();
    if (picture.isEmpty()) {
        refresh();
        return;
    }
    opened.visible = true;
    canvas.imgPic = opened;
    const double w = double(picture.width()) * MeasuredTwipsPerPixel;
    const double h = double(picture.height()) * MeasuredTwipsPerPixel;
    canvas.imgPic.rect = QRectF((canvas.width - w) / 2, (canvas.height - h) / 2, w, h);
    editor.layers.centreCanvas();
    if (editor.output.cobSetSizeText.isEmpty()) {
        editor.output.cobSetSizeText = SizeListEntries().at(2);
        canvas.shaCutVisible = true;
    }
    labOpenPath = chosen;
    caption = QStringLiteral("图像编辑[") + chosen + QStringLiteral("]");
    editor.layers.labImgH = QString::number(h);
    editor.layers.labImgW = QString::number(w);
    editor.tools.sli1 = 0;
    const int entry = picture.height() > picture.width() ? 2 : picture.height() == picture.width() ? 0 : 1;
    editor.output.SelectSizeEntry(SizeListEntries().at(entry));
}

QImage EditorFiles::GrabFrameRegion() {
    editor.layout.EnlargeWorkArea();
    QImage region = RenderFrameRegion(canvas, MeasuredTwipsPerPixel);
    editor.layout.RestoreWorkArea();
    return region;
}

void EditorFiles::Save() {
    StdPicture picSaveJPG;
    picSaveJPG.Handle = GrabFrameRegion();

    QString name = prompts::current().saveFile(QStringLiteral("保存图像文件"), QStringLiteral("JPEG (*.jpg)"),
                                               labSavePath);
    if (name.isEmpty()) return;
    if (!name.toLower().endsWith(QLatin1String(".jpg"))) {
        name += QStringLiteral(".jpg");
        if (!ConfirmReplaceCompleted(name, QStringLiteral("保存图像文件"))) return;
    }
    cDIBSection dib;
    dib.CreateFromPicture(picSaveJPG);
    try {
        WriteJpegFile(dib, name, 95);
    } catch (const VbError& e) {
        // Ending silently would let the member close the editor believing the work was saved.
        MsgBox(QStringLiteral("错误：") + QString::number(e.number()) + QStringLiteral("\r\r") + e.description(),
               vbInformation, QStringLiteral("错误提示"));
        refresh();
        return;
    }
    editor.text.reopenWatermarkPanel();
    caption = QStringLiteral("图像编辑[") + name + QStringLiteral("]");
    labSavePath = name;
    refresh();
}
