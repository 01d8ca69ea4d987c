#include "login/modBegin.h"

#include "foundation/cipher.h"
#include "foundation/machine.h"
#include "foundation/settings.h"
#include "login/frmLogin.h"
#include "login/frmNetToVYM.h"
#include "login/state.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/singleinstance.h"
#include "platform/vberror.h"

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

QString FirstLoginState(const QString& setting, const QString& serialText) {
    if (setting.isEmpty()) return QStringLiteral("0");
    const QString mark = QLatin1Char('{') + serialText + QLatin1Char('}');
    if (!setting.contains(mark)) return QStringLiteral("0");
    QString state = setting;
    state.remove(mark);
    return state;
}

bool StartsWithSplash(const QString& setting, const QString& serialText) {
    return FirstLoginState(setting, serialText) != QLatin1String("1");
}

bool Main() {
    if (!instanceLock()) instanceLock() = std::make_unique<SingleInstanceLock>(paths::DataRoot());
    if (!instanceLock()->tryLock()) {
        MsgBox(kAlreadyRunningMessage, vbInformation, QString());
        return false;
    }
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
