#include "login/ui/programstart.h"

#include "foundation/cipher.h"
#include "foundation/folders.h"
#include "foundation/machine.h"
#include "foundation/settings.h"
#include "login/modBegin.h"
#include "login/ui/connectsplashwindow.h"
#include "login/ui/loginwindow.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/singleinstance.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

#include <memory>

namespace {
std::unique_ptr<SingleInstanceLock>& instanceLock() {
    static std::unique_ptr<SingleInstanceLock> lock;
    return lock;
}

void reportStepFailure(const VbError& e) {
    MsgBox(e.description() + QStringLiteral("\r\r") + QString::number(e.number()), vbInformation, QString());
}
}  // namespace

bool Main() {
    if (!instanceLock()) instanceLock() = std::make_unique<SingleInstanceLock>(paths::DataRoot());
    if (!instanceLock()->tryLock()) {
        const int error = instanceLock()->openError();
        MsgBox(error ? LockFileFailureMessage(instanceLock()->path(), error) : kAlreadyRunningMessage, vbInformation,
               QString());
        return false;
    }
    // No other copy writes now: what a killed run left half-written can go.
    RemoveInterruptedWrites();
    ClientVersion = QStringLiteral("2.0");
    try {
        DataFileKey = QString::fromLatin1(kDataFileKeyText);
    } catch (const VbError& e) {
        reportStepFailure(e);
    }
    QString setting;
    try {
        setting = GetGlobalSetting(GcsFirstLogin);
    } catch (const VbError& e) {
        reportStepFailure(e);
    }
    QString serial;
    if (!setting.isEmpty()) serial = QString::number(GetVolumeSerial(QStringLiteral("c:\\")));
    if (!StartsWithSplash(setting, serial)) {
        ShowLoginWindow();
        return true;
    }
    frmNetToVYM splash;
    splash.exec();
    return frmLogin::loaded() != nullptr;
}

void ReleaseInstanceLock() { instanceLock().reset(); }
