#pragma once
// How the main window opens the image editor.
class QWidget;

// frm图像编辑: nothing is passed to it and nothing comes back.
void OpenImageEditor(QWidget* parent);
