#pragma once
// The album upload window's own labels that its openers set before they show it: the album the
// opener fixed (with the main window's labUPloadType "1") and whether the album choice is shown.
// Static data, so they exist without the window. Data only.
#include "platform/statereset.h"

#include <QString>

struct UploadWindowLabels {
    static inline QString labWebDir;   // the album that receives the uploads
    static inline QString labDirInfo;  // the caption naming it
    // The album choice picAlbum; the opener hides it when it fixed the album. A flag of its own,
    // never the widget's visibility.
    static inline bool picAlbumVisible;

    // The design values: what a window opened in album-choice mode starts from.
    static void resetLabels() {
        labWebDir.clear();
        labDirInfo.clear();
        picAlbumVisible = true;
    }
};
inline const bool uploadWindowLabelsRegistered = RegisterStateReset(&UploadWindowLabels::resetLabels);
using frm上传Labels = UploadWindowLabels;  // 上传 album upload
