#pragma once
// How other windows open the hosted file manager.
class QString;
class QWidget;

// frmMyUploadFiles, in the mode the main window's labViewType names.
void OpenFileManager(QWidget* parent);

// The picture viewer on the preview page of a hosted file's address, written first; modal.
void ShowFileInViewer(QWidget* parent, const QString& address);
// The picture viewer sent straight to an address; modal.
void ShowAddressInViewer(QWidget* parent, const QString& address);
