#include "albums/imageservice.h"

#include "foundation/servicecall.h"
#include "platform/hookcheck.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

std::optional<QString> CallImageService(const QString& method, const QStringList& args, const std::function<void()>& showWait,
                                        const std::function<void()>& hideWait) {
    QList<SoapArgument> all{CurrentUserName, LoginField(5), LoginField(6)};
    for (const QString& a : args) all << a;
    CALL_REQUIRED_HOOK(showWait);
    QString reply;
    try {
        reply = ServiceCall(QStringLiteral("imgser001"), method, all);
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(hideWait);
        ReportServiceError(e);
        return std::nullopt;
    }
    CALL_REQUIRED_HOOK(hideWait);
    return reply;
}
