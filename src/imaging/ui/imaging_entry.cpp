#include "imaging/ui/imaging_entry.h"

#include "imaging/ui/cropwindow.h"
#include "imaging/ui/picturepreparationwindow.h"
#include "imaging/ui/watermarksettingswindow.h"

void OpenWatermarkSettings(QWidget* parent) {
    frm水印设置 dialog(parent);
    dialog.exec();
}

void OpenCropDialog(QWidget* parent) {
    frm图像剪裁 dialog(parent);
    dialog.exec();
}

bool PrepareUploadPicture(QWidget* parent) {
    frm图像压缩 worker(parent);
    return worker.exec() == QDialog::Accepted;
}
