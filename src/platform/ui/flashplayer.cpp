#include "platform/ui/flashplayer.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <atomic>

namespace {

const QString kHost = QStringLiteral("player");
const QString kMainScript = QStringLiteral("ruffle.js");

std::atomic<int> g_requests{0};

// Added to every page and frame once its document is parsed. Looks for Flash content (an embed or
// object of the Flash type, an ".swf" source or the Flash class id) and only then configures and
// loads the player, which replaces what it finds and takes the size the markup gives. The player
// shows no splash, no context menu (its links lead outside) and asks nothing of the network but
// the movie's own address; a movie may neither reach the network, open addresses nor run scripts
// of the page. The markup's own wmode (transparent) is honoured; the movie plays at once.
const char kLoaderScript[] = R"JS((function () {
  var flash = 'application/x-shockwave-flash';
  var found = document.querySelector(
    'embed[type="' + flash + '" i], object[type="' + flash + '" i],' +
    'object[classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" i],' +
    'embed[src$=".swf" i], embed[src*=".swf?" i], object[data$=".swf" i], object[data*=".swf?" i],' +
    'param[name="movie" i][value$=".swf" i], param[name="movie" i][value*=".swf?" i]');
  if (!found || window.__tavolinFlashPlayer) return;
  window.__tavolinFlashPlayer = true;
  window.RufflePlayer = window.RufflePlayer || {};
  window.RufflePlayer.config = {
    publicPath: '%1',
    polyfills: true,
    autoplay: 'on',
    unmuteOverlay: 'hidden',
    splashScreen: false,
    preloader: false,
    contextMenu: 'off',
    showSwfDownload: false,
    warnOnUnsupportedContent: false,
    favorFlash: false,
    upgradeToHttps: false,
    openUrlMode: 'deny',
    allowNetworking: 'none',
    allowScriptAccess: false,
    allowFullscreen: false,
    menu: false,
    socketProxy: [],
    fontSources: [],
    logLevel: 'error'
  };
  var s = document.createElement('script');
  s.src = '%2';
  (document.head || document.documentElement).appendChild(s);
})();)JS";

QString PlayerAddress(const QString& name) {
    return QString::fromLatin1(kFlashPlayerScheme) + QStringLiteral("://") + kHost + QLatin1Char('/') + name;
}

class FlashPlayerFiles : public QWebEngineUrlSchemeHandler {
public:
    FlashPlayerFiles(const QString& folder, QObject* parent) : QWebEngineUrlSchemeHandler(parent), m_folder(folder) {}

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        ++g_requests;
        const QUrl url = job->requestUrl();
        const QString name = url.path().mid(1);
        const QString suffix = QFileInfo(name).suffix();
        const QByteArray type = suffix == QLatin1String("wasm") ? QByteArrayLiteral("application/wasm")
                                : suffix == QLatin1String("js") ? QByteArrayLiteral("text/javascript")
                                                                : QByteArray();
        // Only the player's own files, by their plain names.
        if (job->requestMethod() != "GET" || url.host() != kHost || type.isEmpty() || !paths::IsSafeComponent(name)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* file = new QFile(QDir(m_folder).filePath(name), job);
        if (!file->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        job->reply(type, file);
    }

private:
    QString m_folder;
};

}  // namespace

void RegisterFlashPlayerScheme() {
    if (!QWebEngineUrlScheme::schemeByName(kFlashPlayerScheme).name().isEmpty()) return;
    QWebEngineUrlScheme scheme(kFlashPlayerScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Loaded by local files and by web pages alike; its WebAssembly is fetched across origins, and a
    // page's own content policy does not keep the player out.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled |
                    QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QString FlashPlayerFolder() {
    const QString main = paths::SharedFile(QStringLiteral("ruffle/") + kMainScript);
    return main.isEmpty() ? QString() : QFileInfo(main).absolutePath();
}

bool InstallFlashPlayer(QWebEngineProfile* profile) {
    const QString folder = FlashPlayerFolder();
    if (folder.isEmpty() || QWebEngineUrlScheme::schemeByName(kFlashPlayerScheme).name().isEmpty()) return false;
    profile->installUrlSchemeHandler(kFlashPlayerScheme, new FlashPlayerFiles(folder, profile));
    // A movie's sound plays without a click first.
    profile->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    QWebEngineScript loader;
    loader.setName(QStringLiteral("tavolin-flash-loader"));
    loader.setInjectionPoint(QWebEngineScript::DocumentReady);
    loader.setWorldId(QWebEngineScript::MainWorld);
    loader.setRunsOnSubFrames(true);
    loader.setSourceCode(QString::fromLatin1(kLoaderScript).arg(PlayerAddress(QString()), PlayerAddress(kMainScript)));
    profile->scripts()->insert(loader);
    return true;
}

int FlashPlayerFileRequests() { return g_requests.load(); }
