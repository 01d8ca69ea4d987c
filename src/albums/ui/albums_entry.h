#pragma once
// How other windows open the upload and album windows. The upload windows read their own labels
// (uploadwindowlabels.h, sizeduploadwindowlabels.h) and the main window's, which the opener sets first.
class QWidget;

// frm上传, the album upload window.
void OpenUploadWindow(QWidget* parent);
// frm上传特定, the sized-picture upload window of one fixed widget album.
void OpenSizedUploadWindow(QWidget* parent);
// frm相册设置, the album settings; DialogState 99 after a change of the albums on the service.
void OpenAlbumSettings(QWidget* parent);
