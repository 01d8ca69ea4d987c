#pragma once
// How other windows open the image library's dialogs.
class QWidget;

// frm水印设置, the member's watermark and border settings, shown modally; nothing is read back.
void OpenWatermarkSettings(QWidget* parent);
