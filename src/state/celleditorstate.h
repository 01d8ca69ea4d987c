#pragma once
// Module state of the page cell editor. Data only.
#include "foundation/table.h"
#include "platform/statereset.h"

// The pictures of the open cell editor (and of the preface editor) that wait for upload: rows 0
// to 2 by columns 0 to 5, created empty at every opening of either editor. Row 0 is the cell's
// background, row 1 its foreground; row 2 and column 5 are never used.
// Column 0: "1" when the picture is to be uploaded; 1: the local file; 2: the remote folder
// ("www网站素材"); 3: the remote name without extension ("grb"/"grp" and the cell number);
// 4: the address the picture has once uploaded.
inline Table PendingPictures;

namespace PendingPicture {
inline constexpr int BackgroundRow = 0;
inline constexpr int ForegroundRow = 1;
inline constexpr int Rows = 3;
inline constexpr int Columns = 6;
inline constexpr int Flag = 0;
inline constexpr int LocalFile = 1;
inline constexpr int RemoteFolder = 2;
inline constexpr int RemoteName = 3;
inline constexpr int UploadedUrl = 4;
}  // namespace PendingPicture

// Erases PendingPictures and sizes it to 3 by 6 empty entries (what both editors do on opening).
inline void RedimPendingPictures() { PendingPictures = Table(PendingPicture::Rows, PendingPicture::Columns); }

// The initial values: the state before any editor opened.
inline void ResetCellEditorState() { PendingPictures = Table(); }
inline const bool cellEditorStateRegistered = RegisterStateReset(&ResetCellEditorState);
