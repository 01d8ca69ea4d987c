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

    // The design values (registered below); the window puts them back when it closes, so an
    // opener always starts from them.
    static void resetLabels() {
        labWebDir.clear();
        labDirInfo = QStringLiteral("上传文件到[]");
        labUploadToAlbum = QStringLiteral("上传到相册[]");
        labUploadInfo.clear();
    }
};
inline const bool sizedUploadWindowLabelsRegistered = RegisterStateReset(&SizedUploadWindowLabels::resetLabels);
using frm上传特定Labels = SizedUploadWindowLabels;  // 上传特定 sized-picture upload
