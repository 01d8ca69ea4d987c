#pragma once
// The replacement window's hidden labels, which the file manager fills before it shows the window
// and which the window never changes. Static data, so they exist without the window. Data only.
#include "platform/statereset.h"

#include <QString>

struct SingleFileUploadLabels {
    // The file manager's thumbnail cell "0" to "14", or "15" for its list tab.
    static inline QString labIndex;
    static inline QString labWebDir;    // the album of the file
    static inline QString labFileName;  // the stored file name without its extension
    static inline QString labWebPath;   // the file's address on the service

    static void resetLabels() {
        labIndex = QStringLiteral("0");
        labWebDir.clear();
        labFileName.clear();
        labWebPath.clear();
    }
};
inline const bool singleFileUploadLabelsRegistered = RegisterStateReset(&SingleFileUploadLabels::resetLabels);
using frm上传单个文件Labels = SingleFileUploadLabels;  // 上传单个文件 single-file replacement
