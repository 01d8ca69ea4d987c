#pragma once
// How other windows open the image library's dialogs.
class QWidget;

// frm水印设置, the member's watermark and border settings, shown modally; nothing is read back.
void OpenWatermarkSettings(QWidget* parent);
// frm图像剪裁, the crop dialog of the CropTargetMode the opener set, shown modally; its result is
// in the output file, CellRecord, PendingPictures and CropTargetMode.
void OpenCropDialog(QWidget* parent);

// frm图像压缩, shown modally: prepares the picture the main window's labels name as the member's
// temp.jpg. True when temp.jpg was written.
bool PrepareUploadPicture(QWidget* parent);
