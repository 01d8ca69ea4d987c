#pragma once
// The preface editor's hidden labels that other windows read or write (the publish dialog, the
// materials library). Static data, so they exist without the window; the window class derives
// from this struct and resets them when it opens. Data only.
#include "platform/statereset.h"

#include <QImage>
#include <QString>

struct PrefaceEditorWindowLabels {
    // State of the preface's background: "0" unchanged, "1" a new local picture waits for upload,
    // "2" removed, "3" taken from the materials library. The publish dialog sets it to "0" after
    // the upload and after an accepted publish.
    static inline QString labBJFlag;
    // Target of the materials library ("0" background) and the address of the page it shows.
    static inline QString labURLFlag;
    static inline QString labSCURL;
    // The chosen background at its own size, which the editor fills to measure it; the crop
    // dialog cuts from it.
    static inline QImage imgSize;

    // The design values (every opening of the editor starts from them).
    static void resetLabels() {
        labBJFlag = QStringLiteral("0");
        labURLFlag.clear();
        labSCURL.clear();
        imgSize = QImage();
    }
};
inline const bool prefaceEditorWindowLabelsRegistered = RegisterStateReset(&PrefaceEditorWindowLabels::resetLabels);
using frm卷首语设置Labels = PrefaceEditorWindowLabels;  // 卷首语设置 preface editor
