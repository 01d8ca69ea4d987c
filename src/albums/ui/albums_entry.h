#pragma once
// How other windows open the upload and album windows. The upload windows read their own labels
// (uploadwindowlabels.h, sizeduploadwindowlabels.h) and the main window's, which the opener sets first.
class QWidget;

// frm上传, the album upload window. Returns false at once while one is open (the upload window's
// file manager offers an upload button too); true once the window it opened has closed.
bool OpenUploadWindow(QWidget* parent);
// frm上传特定, the sized-picture upload window of one fixed widget album.
void OpenSizedUploadWindow(QWidget* parent);
// frm相册设置, the album settings; DialogState 99 after a change of the albums on the service.
void OpenAlbumSettings(QWidget* parent);
// frm上传截屏提示, the warning that an upload run asks for after it wrote its code into the main
// window's labUploadJM ("1" upload window, "2" sized-picture window, "3" single-file replacement):
// shown modally while that window's warning has not been switched off.
void ShowScreenshotWarning(QWidget* parent);
