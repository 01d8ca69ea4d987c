#include "platform/urlopening.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace urlopening {

namespace {

bool realOpenWithDesktop(const QString& url) {
    const QUrl u = QUrl::fromUserInput(url);
    return u.isValid() && QDesktopServices::openUrl(u);
}

bool realStartBrowser(const QString& url) {
    QStringList args = QProcess::splitCommand(BrowserCommand());
    if (args.isEmpty()) return false;
    const QString program = args.takeFirst();
    args.append(url);
    qint64 pid = 0;
    return QProcess::startDetached(program, args, QString(), &pid) && pid != 0;
}

void realSetClipboardText(const QString& text) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setText(text);
}

Openers& installed() {
    static Openers o;
    return o;
}

}  // namespace

QString BrowserCommand() {
    const QString env = qEnvironmentVariable("BROWSER");
    return env.isEmpty() ? QStringLiteral("x-www-browser") : env;
}

Openers current() {
    Openers m;
    const Openers& i = installed();
    m.openWithDesktop = i.openWithDesktop ? i.openWithDesktop : realOpenWithDesktop;
    m.startBrowser = i.startBrowser ? i.startBrowser : realStartBrowser;
    m.setClipboardText = i.setClipboardText ? i.setClipboardText : realSetClipboardText;
    return m;
}

void install(const Openers* openers) { installed() = openers ? *openers : Openers{}; }

}  // namespace urlopening
