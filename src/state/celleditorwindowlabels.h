#pragma once
// The cell editor's hidden labels that other windows read or write (the publish dialog, the
// picture-source dialogs). Static data, so they exist without the window; the window class
// derives from this struct and resets them when it opens. Data only.
#include "platform/statereset.h"

#include <QImage>
#include <QString>

struct CellEditorWindowLabels {
    // State of the edited cell's background and foreground: "0" unchanged, "1" a new local
    // picture waits for upload, "2" removed, "3" taken from the materials library. The publish
    // dialog sets them to "0" after an upload and after an accepted publish.
    static inline QString labBJFlag;
    static inline QString labQJFlag;
    // Target of the text-on-picture tools ("0" background, "1" foreground; "OK" once the writing
    // dialog saved) and the picture they write on.
    static inline QString labXZFlag;
    static inline QString labXZPic;
    // Which picture the materials dialog is loaded for ("0" background, "1" foreground) and the
    // address of the materials page it shows.
    static inline QString labURLFlag;
    static inline QString labSCURL;
    // The foreground panel picSetQJ is shown: false only for cell 12, whose foreground is the
    // photo scroller. The publish dialog writes the foreground and text rows only while it is
    // true. A flag of its own, never the widget's visibility.
    static inline bool picSetQJVisible;
    // The chosen picture at its own size, which the editor fills to measure it; the crop dialog
    // cuts from it.
    static inline QImage imgSize;

    // The design values (every opening of the editor starts from them).
    static void resetLabels() {
        labBJFlag = QStringLiteral("0");
        labQJFlag = QStringLiteral("0");
        labXZFlag.clear();
        labXZPic.clear();
        labURLFlag.clear();
        labSCURL.clear();
        picSetQJVisible = true;
        imgSize = QImage();
    }
};
inline const bool cellEditorWindowLabelsRegistered = RegisterStateReset(&CellEditorWindowLabels::resetLabels);
using frm图片设置Labels = CellEditorWindowLabels;  // 图片设置 cell editor
