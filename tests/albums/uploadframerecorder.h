#pragma once
// The upload frame's hooks on a recording view, one line of the log for each call, as both upload
// windows' controller tests read them.
#include "albums/uploadframecontroller.h"
#include "state/sitewindowlabels.h"

#include <QStringList>

inline void RecordFrameView(UploadFrameView& f, QStringList& log) {
    f.maximise = [&log] { log << QStringLiteral("maximise"); };
    f.showWait = [&log] { log << QStringLiteral("wait"); };
    f.hideWait = [&log] { log << QStringLiteral("done"); };
    f.openFileManager = [&log] { log << QStringLiteral("files ") + frm个人网站Labels::labViewType; };
    f.openImageEditor = [&log] { log << QStringLiteral("editor"); };
    f.openWatermarkSettings = [&log] { log << QStringLiteral("watermark"); };
    f.showMainHint = [&log](int id, const QString& text, int size, int top, int left) {
        log << QStringLiteral("main %1 %2 %3 %4 ").arg(id).arg(size).arg(top).arg(left) + text;
    };
}
