#include "platform/ui/webbrowser.h"

#include "platform/ui/flashplayer.h"
#include "platform/ui/steppedmarquee.h"

#include <QAbstractEventDispatcher>
#include <QChildEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTimer>
#include <QTimerEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <memory>
#include <optional>

QWebEngineProfile* BrowserProfile() {
    static QPointer<QWebEngineProfile> profile;
    if (!profile) {
        // No storage name: an in-memory profile, so no browser writes beside the program.
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->setHttpAcceptLanguage(QStringLiteral("zh-CN"));
        QWebEngineSettings* s = profile->settings();
        s->setDefaultTextEncoding(QStringLiteral("GBK"));
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
        s->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
        InstallFlashPlayer(profile);
        InstallSteppedMarquees(profile);
    }
    return profile;
}

class BrowserPage : public QWebEnginePage {
public:
    BrowserPage(WebBrowser* owner) : QWebEnginePage(BrowserProfile(), owner), m_owner(owner) {}

protected:
    QWebEnginePage* createWindow(WebWindowType) override { return m_owner->createNewWindow(); }
    void javaScriptAlert(const QUrl& origin, const QString& msg) override {
        if (!m_owner->silent()) QWebEnginePage::javaScriptAlert(origin, msg);
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& msg) override {
        return m_owner->silent() ? false : QWebEnginePage::javaScriptConfirm(origin, msg);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& def, QString* result) override {
        return m_owner->silent() ? false : QWebEnginePage::javaScriptPrompt(origin, msg, def, result);
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override {
        // Script errors of service pages are not ours to report.
    }
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        // A local page reached by a link, a form or a reload goes through the owner's own reading,
        // which decodes pages without a charset as GBK.
        if (isMainFrame && url.isLocalFile() && type != NavigationTypeTyped && m_owner->needsLocalLoad(url)) {
            QMetaObject::invokeMethod(m_owner, [owner = QPointer<WebBrowser>(m_owner), url] {
                if (owner) owner->loadLocalPage(url);
            }, Qt::QueuedConnection);
            return false;
        }
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }

private:
    WebBrowser* m_owner;
};

// The view draws the engine's frames in a widget of its own, which it creates with the page's first
// frame (and again after some navigations) and which draws from a timer it starts at every new
// frame. Holding that timer's events back until the interval has passed holds back the drawing,
// and with it the engine, which makes no new frame before the last one is drawn. The held-back
// timer is set to fire once when the interval is over, rather than every few milliseconds until
// then: each of those wake-ups costs the program a pass of its event loop.
class FramePacer : public QObject {
public:
    FramePacer(QObject* parent, int intervalMs) : QObject(parent), m_intervalMs(intervalMs) {}
    void setInterval(int ms) { m_intervalMs = ms; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Timer) return false;
        const int id = static_cast<QTimerEvent*>(e)->timerId();
        const qint64 since = m_lastDraw.isValid() ? m_lastDraw.elapsed() : m_intervalMs;
        if (m_intervalMs > 0 && since < m_intervalMs) {
            holdBack(watched, id, int(m_intervalMs - since));
            return true;
        }
        restore(watched, id);
        m_lastDraw.start();
        return false;
    }

private:
    struct Held {
        qint64 ownInterval;
        Qt::TimerType ownType;
        qint64 heldInterval;
    };

    static std::optional<QAbstractEventDispatcher::TimerInfo> Registered(QObject* owner, int id) {
        QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance(owner->thread());
        if (d)
            for (const QAbstractEventDispatcher::TimerInfo& t : d->registeredTimers(owner))
                if (t.timerId == id) return t;
        return std::nullopt;
    }
    static void Reschedule(QObject* owner, int id, qint64 intervalMs, Qt::TimerType type) {
        QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance(owner->thread());
        if (d && d->unregisterTimer(id)) d->registerTimer(id, intervalMs, type, owner);
    }

    // Moves the timer's next event to `delayMs` from now, remembering its own interval. A timer its
    // owner started again since (another interval) counts as new.
    void holdBack(QObject* owner, int id, int delayMs) {
        const auto t = Registered(owner, id);
        if (!t) return;
        const auto it = m_held.constFind(id);
        const bool held = it != m_held.cend() && it->heldInterval == t->interval;
        const qint64 own = held ? it->ownInterval : t->interval;
        const Qt::TimerType type = held ? it->ownType : t->timerType;
        if (!held && own >= delayMs) {
            m_held.remove(id);  // its own schedule brings it after the interval anyway
            return;
        }
        Reschedule(owner, id, delayMs, type);
        m_held.insert(id, {own, type, delayMs});
    }
    // A timer that was held back repeats at its own interval again.
    void restore(QObject* owner, int id) {
        const auto it = m_held.constFind(id);
        if (it == m_held.cend()) return;
        const Held h = *it;
        m_held.erase(it);
        const auto t = Registered(owner, id);
        if (t && t->interval == h.heldInterval) Reschedule(owner, id, h.ownInterval, h.ownType);
    }

    int m_intervalMs;
    QElapsedTimer m_lastDraw;
    QHash<int, Held> m_held;
};

namespace {

QUrl AddressToUrl(const QString& address) {
    const QString a = address.trimmed();
    if (a.contains(QLatin1String("://")) || a.startsWith(QLatin1String("about:"), Qt::CaseInsensitive))
        return QUrl(a, QUrl::TolerantMode);
    QString path = a;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/'))) return QUrl::fromLocalFile(path);
    // An address without a scheme ("www.host/page.aspx") is a web address.
    return QUrl::fromUserInput(a);
}

// A text as a script string literal.
QString JsString(const QString& text) {
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

// Waits in a local event loop until start() hands its result to the finish function it is given,
// timeoutMs passes or guard is destroyed.
template <typename T>
T WaitFor(QObject* guard, int timeoutMs, const std::function<void(std::function<void(const T&)>)>& start) {
    struct State {
        QEventLoop loop;
        T value{};
        bool done = false;
    };
    auto state = std::make_shared<State>();
    std::weak_ptr<State> weak = state;
    start([weak](const T& v) {
        if (auto s = weak.lock()) {
            s->value = v;
            s->done = true;
            s->loop.quit();
        }
    });
    if (!state->done) {
        QTimer::singleShot(timeoutMs, &state->loop, [weak] {
            if (auto s = weak.lock()) s->loop.quit();
        });
        QObject::connect(guard, &QObject::destroyed, &state->loop, &QEventLoop::quit);
        state->loop.exec();
    }
    return state->done ? state->value : T{};
}

// True when the first bytes of a page name its code page: a byte-order mark, or "charset" in the
// head (a meta element, as the HTML prescan finds it).
bool DeclaresCharset(const QByteArray& head) {
    if (head.startsWith("\xEF\xBB\xBF") || head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) return true;
    return head.toLower().contains("charset");
}

const char kHtmlTextScript[] =
    "(function(){var e=document.getElementsByTagName('HTML')[0];return e?e.innerText:'';})()";
const char kBodyHtmlScript[] = "(function(){return document.body?document.body.innerHTML:'';})()";
const char kOuterHtmlScript[] =
    "(function(){var a=document.getElementsByTagName('*');"
    "for(var i=0;i<a.length;i++){if(a[i].tagName.toUpperCase()==='HTML')return a[i].outerHTML;}return '';})()";
// Puts the caret at the end of the body when the document has none (a fresh editor never had the
// focus), then runs the command.
const char kEditScript[] =
    "(function(c,v){var s=document.getSelection();"
    "if(s&&s.rangeCount===0&&document.body){var r=document.createRange();"
    "r.selectNodeContents(document.body);r.collapse(false);s.addRange(r);}"
    "return document.execCommand(c,false,v);})(%1,%2)";

// The commands that are the engine's actions rather than execCommand.
bool EngineAction(const QString& command, QWebEnginePage::WebAction* action) {
    static const std::pair<const char*, QWebEnginePage::WebAction> actions[] = {
        {"Copy", QWebEnginePage::Copy}, {"Cut", QWebEnginePage::Cut},   {"Paste", QWebEnginePage::Paste},
        {"Undo", QWebEnginePage::Undo}, {"Redo", QWebEnginePage::Redo},
    };
    for (const auto& [name, a] : actions) {
        if (command.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            *action = a;
            return true;
        }
    }
    return false;
}

}  // namespace

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QWebEngineView(this);
    m_page = new BrowserPage(this);
    m_view->setPage(m_page);
    layout->addWidget(m_view);
    connect(m_page, &QWebEnginePage::loadStarted, this, &WebBrowser::onLoadStarted);
    connect(m_page, &QWebEnginePage::loadProgress, this, &WebBrowser::onLoadProgress);
    connect(m_page, &QWebEnginePage::loadFinished, this, &WebBrowser::onLoadFinished);
    // Once the engine names the page's address, it is the location.
    connect(m_page, &QWebEnginePage::urlChanged, this, [this] { m_requested.clear(); });
    m_view->installEventFilter(this);
}

WebBrowser::~WebBrowser() {
    // The page goes before the view that shows it.
    m_view->setPage(nullptr);
    delete m_page;
}

QWebEnginePage* WebBrowser::page() const { return m_page; }

void WebBrowser::setFrameInterval(int ms) {
    m_frameIntervalMs = std::max(0, ms);
    if (m_pacer) {
        m_pacer->setInterval(m_frameIntervalMs);
    } else if (m_frameIntervalMs > 0) {
        m_pacer = new FramePacer(m_view, m_frameIntervalMs);
        watchSurface(m_pacer);
    }
}

void WebBrowser::setInSight(bool inSight) {
    if (m_inSight == inSight) return;
    m_inSight = inSight;
    // Out of sight, the view is hidden with its page: a hidden view lets go of the pictures it drew
    // the page with (its surface's image and its copy of the engine's last frame).
    m_view->setVisible(inSight);
    if (!inSight || m_view->isVisible()) m_page->setVisible(inSight);
}

void WebBrowser::watchSurface(QObject* filter) {
    m_surfaceFilters.append(filter);
    for (QObject* child : m_view->children())
        if (child->isWidgetType()) child->installEventFilter(filter);
}

bool WebBrowser::eventFilter(QObject* watched, QEvent* e) {
    // A new surface is watched from its birth: its events come after its construction.
    if (watched == m_view && e->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(e)->child();
        if (child->isWidgetType())
            for (const QPointer<QObject>& filter : std::as_const(m_surfaceFilters))
                if (filter) child->installEventFilter(filter);
    }
    return QWidget::eventFilter(watched, e);
}

BrowserSight::BrowserSight(QWidget* viewport, QWidget* canvas, int marginPx)
    : QObject(viewport), m_viewport(viewport), m_canvas(canvas), m_margin(marginPx) {
    viewport->installEventFilter(this);
    canvas->installEventFilter(this);
}

void BrowserSight::watch(WebBrowser* browser, QWidget* box) {
    m_browsers.append({browser, box});
    place(browser, box);
}

void BrowserSight::update() {
    for (const auto& [browser, box] : std::as_const(m_browsers))
        if (browser && box) place(browser, box);
}

void BrowserSight::place(WebBrowser* browser, QWidget* box) const {
    const QRect sight = m_viewport->rect().adjusted(-m_margin, -m_margin, m_margin, m_margin);
    browser->setInSight(QRect(box->mapTo(m_viewport, QPoint(0, 0)), box->size()).intersects(sight));
}

bool BrowserSight::eventFilter(QObject* watched, QEvent* e) {
    const bool moved = watched == m_canvas && (e->type() == QEvent::Move || e->type() == QEvent::Resize);
    if (moved || (watched == m_viewport && e->type() == QEvent::Resize)) update();
    return QObject::eventFilter(watched, e);
}

void WebBrowser::Navigate(const QString& address) {
    const QUrl url = AddressToUrl(address);
    // The address is the browser's location from now on, before the engine commits to it.
    m_requested = url;
    if (needsLocalLoad(url))
        loadLocalPage(url);
    else
        m_page->load(url);
}

void WebBrowser::Stop() { m_page->triggerAction(QWebEnginePage::Stop); }

void WebBrowser::setScriptsEnabled(bool enabled) {
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, enabled);
}

// The browser engine guesses the code page of a page that declares none, and guesses wrong for
// short texts (a lone "一" reads as UTF-8). Local HTML files without a declaration are therefore
// read here and handed over as GBK; pages that declare a charset, other files and web addresses
// load as they are.
bool WebBrowser::needsLocalLoad(const QUrl& url) const {
    if (url.isEmpty() || !url.isLocalFile()) return false;
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    if (suffix != QLatin1String("html") && suffix != QLatin1String("htm")) return false;
    QFile f(url.toLocalFile());
    if (!f.open(QIODevice::ReadOnly)) return false;
    if (f.size() > kMaxLocalContentBytes) return false;
    return !DeclaresCharset(f.read(kCharsetPrescanBytes));
}

void WebBrowser::loadLocalPage(const QUrl& url) {
    // The file is read again here: it may have changed since needsLocalLoad looked at it.
    QFile f(url.toLocalFile());
    const QByteArray bytes =
        f.open(QIODevice::ReadOnly) && f.size() <= kMaxLocalContentBytes ? f.readAll() : QByteArray();
    if (bytes.isEmpty() || DeclaresCharset(bytes.left(kCharsetPrescanBytes))) {
        m_page->load(url);
        return;
    }
    // The file's address stays the document's address, so its relative links and pictures resolve.
    m_page->setContent(bytes, "text/html;charset=GBK", url);
}

QString WebBrowser::LocationURL() const {
    return (m_requested.isEmpty() ? m_page->url() : m_requested).toString();
}

void WebBrowser::execCommand(const QString& command, const QString& value) {
    if (!m_hasDocument) return;
    if (command.compare(QLatin1String("Refresh"), Qt::CaseInsensitive) == 0) {
        // A local page is read again from disk.
        const QUrl url = m_page->url();
        if (needsLocalLoad(url))
            loadLocalPage(url);
        else
            m_page->triggerAction(QWebEnginePage::ReloadAndBypassCache);
        return;
    }
    if (command.compare(QLatin1String("editMode"), Qt::CaseInsensitive) == 0) {
        setDesignMode(true);
        return;
    }
    if (QWebEnginePage::WebAction action; EngineAction(command, &action)) {
        m_page->triggerAction(action);
        return;
    }
    runScript(QString::fromLatin1(kEditScript).arg(JsString(command), JsString(value)));
}

void WebBrowser::runScript(const QString& script, std::function<void(const QVariant&)> done) {
    if (done)
        m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [done](const QVariant& v) { done(v); });
    else
        m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

void WebBrowser::readPage(const QString& script, std::function<void(const QVariant&)> done) {
    m_page->runJavaScript(script, QWebEngineScript::MainWorld, [done](const QVariant& v) { done(v); });
}

QVariant WebBrowser::runScriptSync(const QString& script, int timeoutMs) {
    return WaitFor<QVariant>(this, timeoutMs, [&](std::function<void(const QVariant&)> finish) {
        runScript(script, finish);
    });
}

void WebBrowser::readDocument(const char* script, std::function<void(const QString&)> done) {
    if (!m_hasDocument) {
        QTimer::singleShot(0, this, [done] { done(QString()); });
        return;
    }
    runScript(QString::fromLatin1(script), [done](const QVariant& v) { done(v.toString()); });
}

QString WebBrowser::readDocumentSync(const char* script, int timeoutMs) {
    if (!m_hasDocument) return QString();
    return runScriptSync(QString::fromLatin1(script), timeoutMs).toString();
}

void WebBrowser::documentText(std::function<void(const QString&)> done) { readDocument(kHtmlTextScript, done); }

QString WebBrowser::documentTextSync(int timeoutMs) { return readDocumentSync(kHtmlTextScript, timeoutMs); }

void WebBrowser::setDesignMode(bool on) {
    m_designMode = on;
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !on);
    runScript(on ? QStringLiteral("document.designMode='on'") : QStringLiteral("document.designMode='off'"));
}

void WebBrowser::documentHtml(std::function<void(const QString&)> done) {
    runScript(QString::fromLatin1(kBodyHtmlScript), [done](const QVariant& v) { done(v.toString()); });
}

QString WebBrowser::documentHtmlSync(int timeoutMs) {
    return runScriptSync(QString::fromLatin1(kBodyHtmlScript), timeoutMs).toString();
}

void WebBrowser::documentOuterHtml(std::function<void(const QString&)> done) { readDocument(kOuterHtmlScript, done); }

QString WebBrowser::documentOuterHtmlSync(int timeoutMs) { return readDocumentSync(kOuterHtmlScript, timeoutMs); }

void WebBrowser::onLoadStarted() { m_loading = true; }

void WebBrowser::onLoadProgress(int percent) {
    // 0 is the start of a load, 100 its end (reported by onLoadFinished); only the amounts between
    // are progress.
    if (percent > 0 && percent < kProgressMax) emit progressChange(percent, kProgressMax);
}

void WebBrowser::onLoadFinished(bool ok) {
    m_loading = false;
    m_hasDocument = true;
    if (m_designMode) runScript(QStringLiteral("document.designMode='on'"));
    emit progressChange(kProgressDone, kProgressMax);
    emit documentComplete(ok);
}

QWebEnginePage* WebBrowser::createNewWindow() {
    bool cancel = false;
    emit newWindow2(&cancel);
    if (cancel) return nullptr;
    auto* window = new WebBrowserWindow(this->window());
    window->show();
    return window->browser()->page();
}

WebBrowserWindow::WebBrowserWindow(QWidget* opener) : QWidget(opener, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(800, 600);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new WebBrowser(this);
    layout->addWidget(m_browser);
    connect(m_browser->page(), &QWebEnginePage::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_browser->page(), &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
}
