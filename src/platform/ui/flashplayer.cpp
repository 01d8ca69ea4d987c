#include "platform/ui/flashplayer.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QUrlQuery>
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
const QString kLoaderName = QStringLiteral("tavolin-flash-loader");
// The address under which a page's movie is read: "movie?u=<the movie's address>".
const QString kMovieName = QStringLiteral("movie");

std::atomic<int> g_requests{0};

// Added to every page and frame once its document is parsed. Looks for Flash content (an embed or
// object of the Flash type, an ".swf" source or the Flash class id) and only then configures and
// loads the player, which replaces what it finds and takes the size the markup gives. The player
// shows no splash, no context menu (its links lead outside) and asks nothing of the network but
// the movie's own address; a movie may neither reach the network, open addresses nor run scripts
// of the page. The markup's own wmode (transparent) is honoured; the movie plays at once. The page's
// own markup stays as it is on disk; only the live document changes.
const char kLoaderScript[] = R"JS((function () {
  var flash = 'application/x-shockwave-flash';
  var found = document.querySelector(
    'embed[type="' + flash + '" i], object[type="' + flash + '" i],' +
    'object[classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" i],' +
    'embed[src$=".swf" i], embed[src*=".swf?" i], object[data$=".swf" i], object[data*=".swf?" i],' +
    'param[name="movie" i][value$=".swf" i], param[name="movie" i][value*=".swf?" i]');
  if (!found || window.__tavolinFlashPlayer) return;
  window.__tavolinFlashPlayer = true;
  // An object of the Flash class id is played through the embed inside it, which carries no wmode
  // of its own: the object's wmode parameter is what the markup says.
  Array.prototype.forEach.call(document.querySelectorAll('object > embed:not([wmode])'), function (e) {
    var p = e.parentElement.querySelector(':scope > param[name="wmode" i]');
    if (p) e.setAttribute('wmode', p.getAttribute('value') || '');
  });
  // The player asks for the game controllers at every frame, and the first asking starts the
  // engine's polling of them sixty times a second for as long as the page lives. Flash movies know
  // no game controllers: the page has none.
  try {
    Object.defineProperty(Navigator.prototype, 'getGamepads', {value: function () { return []; }, configurable: true});
  } catch (e) {}
  window.RufflePlayer = window.RufflePlayer || {};
  window.RufflePlayer.config = {
    publicPath: '%1',
    polyfills: true,
    autoplay: 'on',
    unmuteOverlay: 'hidden',
    splashScreen: false,
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
  // The engine's fetch() takes no scheme of an application's own, and the player fetches its
  // WebAssembly with it: its own files are read through XMLHttpRequest instead. A movie of another
  // origin (a local page's movie on the service, a preview's movie on disk) is read through the
  // player's scheme, which the engine's cross-origin rules would otherwise refuse.
  var base = '%1', pageFetch = window.fetch;
  window.fetch = function (input, init) {
    var url = typeof input === 'string' ? input : input instanceof Request ? input.url : String(input);
    var target = null;
    if (url.lastIndexOf(base, 0) !== 0) {
      try { target = new URL(url, document.baseURI); } catch (e) { return pageFetch.apply(this, arguments); }
      if (!/\.swf$/i.test(target.pathname) || (target.origin === location.origin && target.protocol !== 'file:'))
        return pageFetch.apply(this, arguments);
      url = base + 'movie?u=' + encodeURIComponent(target.href);
    }
    return new Promise(function (resolve, reject) {
      var x = new XMLHttpRequest();
      x.open('GET', url);
      x.responseType = 'arraybuffer';
      x.onload = function () {
        var r = new Response(x.response, {status: x.status === 0 ? 200 : x.status,
                                          headers: {'Content-Type': x.getResponseHeader('Content-Type') || ''}});
        // The movie keeps its own address (its relative addresses and sandbox go by it).
        Object.defineProperty(r, 'url', {value: target ? target.href : url});
        resolve(r);
      };
      x.onerror = function () { reject(new TypeError('Failed to fetch ' + url)); };
      x.send();
    });
  };
  // The player asks for an animation frame at every frame the engine makes, whatever its movies'
  // frame rate, and each asking keeps the engine drawing. A movie changes only at its own frame
  // rate, so between its frames the player's askings wait; right after the member's input they do
  // not, so buttons answer at once. The page's own askings are left alone.
  (function () {
    var ask = window.requestAnimationFrame.bind(window), drop = window.cancelAnimationFrame.bind(window);
    var lastFrame = 0, lastInput = -1e9, next = 1, pending = {};
    ['pointermove', 'pointerdown', 'pointerup', 'keydown', 'wheel'].forEach(function (t) {
      window.addEventListener(t, function () { lastInput = performance.now(); }, true);
    });
    function movieInterval() {
      var rate = 0;
      Array.prototype.forEach.call(document.querySelectorAll('ruffle-embed, ruffle-object, ruffle-player'), function (p) {
        var m = p.metadata;
        if (m && m.frameRate > rate) rate = m.frameRate;
      });
      return rate > 0 ? 1000 / rate : 0;
    }
    window.requestAnimationFrame = function (callback) {
      var id = next++, now = performance.now();
      var player = String(new Error().stack).indexOf(base) >= 0;
      var wait = !player || now - lastInput < 1000 ? 0 : movieInterval() - (now - lastFrame);
      var run = function (t) {
        delete pending[id];
        if (player) lastFrame = performance.now();
        callback(t);
      };
      if (wait <= 4) {
        pending[id] = {frame: ask(run)};
      } else {
        pending[id] = {timer: setTimeout(function () { pending[id] = {frame: ask(run)}; }, wait)};
      }
      return id;
    };
    window.cancelAnimationFrame = function (id) {
      var p = pending[id];
      if (!p) return;
      delete pending[id];
      if (p.timer !== undefined) clearTimeout(p.timer);
      if (p.frame !== undefined) drop(p.frame);
    };
  })();
  // A movie's sound plays through one audio context, which by default renders in small blocks
  // for the lowest delay, waking the engine hundreds of times a second even while the movie is
  // silent. A movie's sounds need no such promptness.
  if (window.AudioContext) {
    var PageAudioContext = window.AudioContext;
    window.AudioContext = function (options) {
      var o = Object.assign({}, options || {});
      if (o.latencyHint === undefined) o.latencyHint = 'playback';
      return new PageAudioContext(o);
    };
    window.AudioContext.prototype = PageAudioContext.prototype;
  }
  var s = document.createElement('script');
  s.src = '%2';
  (document.head || document.documentElement).appendChild(s);
})();)JS";

QString PlayerAddress(const QString& name) {
    return QString::fromLatin1(kFlashPlayerScheme) + QStringLiteral("://") + kHost + QLatin1Char('/') + name;
}

// The largest movie the player is handed; a Flash movie of a personal page is far smaller.
constexpr qint64 kMaxMovieBytes = 64ll * 1024 * 1024;

bool IsMovieAddress(const QUrl& url) {
    return url.isValid() && url.path().endsWith(QLatin1String(".swf"), Qt::CaseInsensitive);
}

class FlashPlayerFiles : public QWebEngineUrlSchemeHandler {
public:
    FlashPlayerFiles(const QString& folder, QObject* parent) : QWebEngineUrlSchemeHandler(parent), m_folder(folder) {}

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        ++g_requests;
        const QUrl url = job->requestUrl();
        if (job->requestMethod() != "GET" || url.host() != kHost) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        const QString name = url.path().mid(1);
        if (name == kMovieName) {
            serveMovie(job, QUrl(QUrlQuery(url).queryItemValue(QStringLiteral("u"), QUrl::FullyDecoded)));
            return;
        }
        const QString suffix = QFileInfo(name).suffix();
        const QByteArray type = suffix == QLatin1String("wasm") ? QByteArrayLiteral("application/wasm")
                                : suffix == QLatin1String("js") ? QByteArrayLiteral("text/javascript")
                                                                : QByteArray();
        // Only the player's own files, by their plain names.
        if (type.isEmpty() || !paths::IsSafeComponent(name)) {
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
    // A page's movie on the page's behalf: the engine keeps a local page from reading a web address
    // and any page from reading a local file, while the Flash markup of the member's pages names
    // movies on the service and, in previews, on the member's disk. Only ".swf" addresses; a local
    // movie only for a local page.
    void serveMovie(QWebEngineUrlRequestJob* job, const QUrl& movie) {
        const QByteArray type = QByteArrayLiteral("application/x-shockwave-flash");
        const bool web = movie.scheme() == QLatin1String("http") || movie.scheme() == QLatin1String("https");
        const bool localPage = job->initiator().isEmpty() || job->initiator().scheme() == QLatin1String("file") ||
                               job->initiator().toString() == QLatin1String("null");
        if (!IsMovieAddress(movie) || !(web || (movie.isLocalFile() && localPage))) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        if (movie.isLocalFile()) {
            auto* file = new QFile(movie.toLocalFile(), job);
            if (!file->open(QIODevice::ReadOnly)) {
                job->fail(QWebEngineUrlRequestJob::UrlNotFound);
                return;
            }
            job->reply(type, file);
            return;
        }
        if (!m_network) m_network = new QNetworkAccessManager(this);
        QNetworkReply* reply = m_network->get(QNetworkRequest(movie));
        QPointer<QWebEngineUrlRequestJob> guard(job);
        // The engine deletes a job whose page goes away: its download goes with it.
        connect(job, &QObject::destroyed, reply, &QNetworkReply::abort);
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
            if (received > kMaxMovieBytes) reply->abort();
        });
        connect(reply, &QNetworkReply::finished, this, [reply, guard, type] {
            reply->deleteLater();
            if (!guard) return;
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (reply->error() != QNetworkReply::NoError || status != 200) {
                guard->fail(QWebEngineUrlRequestJob::RequestFailed);
                return;
            }
            auto* body = new QBuffer(guard);
            body->setData(reply->readAll());
            body->open(QIODevice::ReadOnly);
            guard->reply(type, body);
        });
    }

    QString m_folder;
    QNetworkAccessManager* m_network = nullptr;
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
    loader.setName(kLoaderName);
    loader.setInjectionPoint(QWebEngineScript::DocumentReady);
    loader.setWorldId(QWebEngineScript::MainWorld);
    loader.setRunsOnSubFrames(true);
    loader.setSourceCode(QString::fromLatin1(kLoaderScript).arg(PlayerAddress(QString()), PlayerAddress(kMainScript)));
    profile->scripts()->insert(loader);
    return true;
}

void RemoveFlashPlayer(QWebEngineProfile* profile) {
    for (const QWebEngineScript& script : profile->scripts()->find(kLoaderName)) profile->scripts()->remove(script);
    const QWebEngineUrlSchemeHandler* files = profile->urlSchemeHandler(kFlashPlayerScheme);
    profile->removeUrlScheme(kFlashPlayerScheme);
    delete files;
}

int FlashPlayerFileRequests() { return g_requests.load(); }
