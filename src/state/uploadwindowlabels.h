#pragma once
// The album upload window's own labels that its openers set before they show it: the album the
// opener fixed (with the main window's labUPloadType "1"), whether the album choice is shown, and
// the album list the album settings window hands over. Static data, so they exist without the
// window. Data only.
#include "platform/statereset.h"

#include <QString>
#include <QStringList>

struct UploadWindowLabels {
    static inline QString labWebDir;   // the album that receives the uploads
    static inline QString labDirInfo;  // the caption naming it, seen while the choice is hidden
    // The album choice picAlbum; the opener hides it when it fixed the album. A flag of its own,
    // never the widget's visibility.
    static inline bool picAlbumVisible;
    // The caption naming the chosen album, and whether it shows.
    static inline QString labUploadToAlbum;
    static inline bool labUploadToAlbumVisible;
    // The album choice cobAlbum as an opener preset it: its entries and its text. The album
    // settings window fills them; the load adds to them in album-choice mode.
    static inline QStringList cobAlbumItems;
    static inline QString cobAlbumText;

    // The design values: what a window opened in album-choice mode starts from.
    static void resetLabels() {
        labWebDir.clear();
        labDirInfo = QStringLiteral("上传文件到[]");
        picAlbumVisible = true;
        labUploadToAlbum = QStringLiteral("上传到相册[]");
        labUploadToAlbumVisible = false;
        cobAlbumItems.clear();
        cobAlbumText.clear();
    }
};
inline const bool uploadWindowLabelsRegistered = RegisterStateReset(&UploadWindowLabels::resetLabels);
using frm上传Labels = UploadWindowLabels;  // 上传 album upload
