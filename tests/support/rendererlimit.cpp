#include "support/rendererlimit.h"

#include <QByteArray>
#include <QtGlobal>

namespace testsupport {

bool LimitRendererProcesses() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--renderer-process-limit")) flags += " --renderer-process-limit=4";
    return qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

}  // namespace testsupport
