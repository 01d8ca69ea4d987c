#pragma once
// How other windows open the hosted file manager.
class QWidget;

// frmMyUploadFiles, in the mode the main window's labViewType names.
void OpenFileManager(QWidget* parent);
