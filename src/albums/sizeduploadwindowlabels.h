#pragma once
// The sized-picture upload window's own labels that its openers set before they show it. Static
// data, so they exist without the window. Data only.
#include "platform/statereset.h"

#include <QString>

struct SizedUploadWindowLabels {
    static inline QString labWebDir;         // the fixed widget album that receives the uploads
    static inline QString labDirInfo;        // captions naming that album
    static inline QString labUploadToAlbum;
    static inline QString labUploadInfo;     // title and help text ("\r" between lines)

    // The initial values (registered below).
    static void resetLabels() {
        labWebDir.clear();
        labDirInfo.clear();
        labUploadToAlbum.clear();
        labUploadInfo.clear();
    }
};
inline const bool sizedUploadWindowLabelsRegistered = RegisterStateReset(&SizedUploadWindowLabels::resetLabels);
using frm上传特定Labels = SizedUploadWindowLabels;  // 上传特定 sized-picture upload
