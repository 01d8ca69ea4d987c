#pragma once
// The embedded browser of every window: one widget over QtWebEngine with the operations the
// windows rely on (navigate, silent, refresh, progress, new-window policy, document text) and a
// small HTML-editor mode. Every browser shares one profile (GBK default encoding, local pages may
// load remote addresses).
#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <utility>

class QWebEngineProfile;
class QWebEngineView;
class QWebEnginePage;
class BrowserPage;
class FramePacer;

// The one profile of the program's browsers: in memory only (nothing written to disk), default
// text encoding GBK for pages that declare no charset, local pages allowed to load the service's
// pages. Created on first use; lives until the application ends.
QWebEngineProfile* BrowserProfile();

class WebBrowser : public QWidget {
    Q_OBJECT
public:
    // The loaded amount with which the end of a load is reported (outside 0 < p < max).
    static constexpr int kProgressDone = -1;
    static constexpr int kProgressMax = 100;

    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    // Starts loading an address: a web address with its query keys, or the full path of a local
    // file ("/" or "\" separators). Returns at once.
    void Navigate(const QString& address);
    // Stops the load under way.
    void Stop();
    // Off: the pages this browser shows run no scripts (a page written from outside data).
    void setScriptsEnabled(bool enabled);
    // The address of the shown page, or of the page Navigate is loading, as text.
    QString LocationURL() const;

    // Silent: the page's script dialogs (alert, confirm, prompt) are not shown; confirm and
    // prompt answer as cancelled.
    void setSilent(bool silent) { m_silent = silent; }
    bool silent() const { return m_silent; }

    // True once a document has been shown (the control's Document is not nothing).
    bool hasDocument() const { return m_hasDocument; }
    // True while a page loads.
    bool isLoading() const { return m_loading; }

    // The document command, its name in any letter case: "Refresh" loads the shown page again,
    // bypassing the cache (a local file is read again from disk); "editMode" is
    // setDesignMode(true); "Copy", "Cut", "Paste", "Undo" and "Redo" are the engine's own actions
    // (a page script may not use the clipboard); any other command goes to the document's
    // execCommand with the user-interface flag false ("Bold", "FontSize" "7", "InsertText",
    // "InsertLineBreak"...). An editing command in a document with no caret puts the caret at the
    // end of the body first, so an insertion lands somewhere. Nothing happens when no document is
    // shown.
    void execCommand(const QString& command, const QString& value = QString());
    void refresh() { execCommand(QStringLiteral("Refresh")); }

    // The visible text (innerText) of the document's HTML element; the empty text when no
    // document is shown. Asynchronous: done runs later on this thread (not at all when the
    // browser is destroyed first).
    void documentText(std::function<void(const QString&)> done);
    // The same, waiting for the answer in a local event loop (modal flows). The empty text after
    // timeoutMs or when the browser goes away meanwhile.
    QString documentTextSync(int timeoutMs = 10000);

    // HTML-editor mode: the document becomes editable (kept across loads); commands go through
    // execCommand ("Bold", "InsertHTML", value); the edited markup is read back below. An
    // editable page is data: its own scripts do not run (set the mode before navigating, so none
    // of the page's scripts runs at all), while this layer's scripts still do.
    void setDesignMode(bool on);
    bool designMode() const { return m_designMode; }
    void documentHtml(std::function<void(const QString&)> done);  // the body's innerHTML
    QString documentHtmlSync(int timeoutMs = 10000);
    // The document's text as the editor publishes it: the outer HTML of the first element whose
    // upper-cased tag name is "HTML", as the engine serialises it (lower-case tags, quoted
    // attributes, line ends "\n"); the empty text when no document is shown.
    void documentOuterHtml(std::function<void(const QString&)> done);
    QString documentOuterHtmlSync(int timeoutMs = 10000);

    // Runs a script in the shown document, in the application's own script world: it sees the
    // document, not the page's script variables, and runs in editable pages too; done gets its
    // result (asynchronous, optional).
    void runScript(const QString& script, std::function<void(const QVariant&)> done = {});
    QVariant runScriptSync(const QString& script, int timeoutMs = 10000);
    // Runs a script that only reads the document in the page's own script world, so that no world
    // of the program's own is made for it: each costs the page's renderer a script context. What
    // it returns is only as good as the page lets it be.
    void readPage(const QString& script, std::function<void(const QVariant&)> done);

    // Draws the engine's frames at most once per interval (milliseconds; 0, the default, draws
    // each as it comes). The engine waits for a frame to be drawn before it makes the next, so an
    // animation in the page costs the page, the engine and the window that much less.
    void setFrameInterval(int ms);
    int frameInterval() const { return m_frameIntervalMs; }

    // Puts filter on the view's drawing surface: the widget the view draws the engine's frames in,
    // which it makes with the page's first frame and again after some loads, so every child widget
    // the view has now or gets later. The surface's events (input, its drawing timer) reach the
    // filter before the engine.
    void watchSurface(QObject* filter);

    // Out of sight (its box scrolled out of the window's viewport), the engine takes the page as
    // hidden, as it takes a page of a hidden window: no frames are made, animations and Flash
    // stop, the drawn tiles are let go and timers slow down; back in sight, it draws again. The
    // view inside the widget is hidden meanwhile, which lets go of its own pictures of the page; the
    // widget itself stays as it is (its box keeps its place and background). In sight by default.
    void setInSight(bool inSight);
    bool inSight() const { return m_inSight; }

    QWebEngineView* view() const { return m_view; }
    QWebEnginePage* page() const;

signals:
    // The progress of a load: (p, max) with 0 < p < max while loading; the end of every load,
    // failed or not, is reported as (kProgressDone, kProgressMax).
    void progressChange(int progress, int progressMax);
    // A load ended (ok false for a page that could not be loaded; the browser shows its error page).
    void documentComplete(bool ok);
    // The page asks to open a new window. Setting *cancel refuses it; left unset, the page opens
    // in a separate browser window.
    void newWindow2(bool* cancel);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    friend class BrowserPage;
    QWebEnginePage* createNewWindow();
    bool needsLocalLoad(const QUrl& url) const;
    void loadLocalPage(const QUrl& url);
    // Local pages are handed over as data, which the engine takes up to 2 MB of address; larger
    // ones load as they are.
    static constexpr qint64 kMaxLocalContentBytes = 1024 * 1024;
    static constexpr int kCharsetPrescanBytes = 1024;
    // A text the script reads from the shown document; the empty text when none is shown.
    void readDocument(const char* script, std::function<void(const QString&)> done);
    QString readDocumentSync(const char* script, int timeoutMs);
    void onLoadStarted();
    void onLoadProgress(int percent);
    void onLoadFinished(bool ok);

    QWebEngineView* m_view = nullptr;
    BrowserPage* m_page = nullptr;
    QUrl m_requested;  // the address Navigate asked for, until the engine names one
    bool m_silent = false;
    bool m_hasDocument = false;
    bool m_loading = false;
    bool m_designMode = false;
    int m_frameIntervalMs = 0;
    bool m_inSight = true;
    FramePacer* m_pacer = nullptr;
    QList<QPointer<QObject>> m_surfaceFilters;
};

// Tells the browsers on a scrolling canvas whether they are in sight: a browser whose box lies
// wholly outside the viewport, beyond a margin, is out of sight (WebBrowser::setInSight). Follows
// the canvas's moves (scrolling) and the viewport's size.
class BrowserSight : public QObject {
public:
    // The canvas is a child of the viewport; the margin (pixels) brings a box into sight a little
    // before it shows, so it has drawn by the time it does.
    BrowserSight(QWidget* viewport, QWidget* canvas, int marginPx);
    // box: the widget on the canvas whose place counts (the browser may reach past it).
    void watch(WebBrowser* browser, QWidget* box);
    void update();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void place(WebBrowser* browser, QWidget* box) const;
    QWidget* m_viewport;
    QWidget* m_canvas;
    int m_margin;
    QList<std::pair<QPointer<WebBrowser>, QPointer<QWidget>>> m_browsers;
};

// A separate browser window for pages a page opens itself (NewWindow2 left uncancelled). It
// belongs to the opener's window, so it works beside a modal opener and closes with it.
class WebBrowserWindow : public QWidget {
    Q_OBJECT
public:
    explicit WebBrowserWindow(QWidget* opener);
    WebBrowser* browser() const { return m_browser; }

private:
    WebBrowser* m_browser = nullptr;
};
