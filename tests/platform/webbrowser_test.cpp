// The embedded browser over local files: GBK pages without a charset, refresh from disk, the end
// of a load reported as progress, and the new-window policy.
#include <gtest/gtest.h>

#include <cmath>

#include <QApplication>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "platform/ansi.h"
#include "platform/eventwait.h"
#include "platform/ui/webbrowser.h"
#include "support/eventually.h"
#include "support/fixtures.h"

using testsupport::writeFile;

namespace {

constexpr int kLoadTimeoutMs = 30000;

// Navigates and waits for the end of the load; true when the page loaded.
bool NavigateAndWait(WebBrowser& web, const QString& address) {
    QSignalSpy done(&web, &WebBrowser::documentComplete);
    web.Navigate(address);
    if (!done.wait(kLoadTimeoutMs)) return false;
    return done.takeFirst().at(0).toBool();
}

QList<WebBrowserWindow*> OpenBrowserWindows() {
    QList<WebBrowserWindow*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<WebBrowserWindow*>(w)) out.append(b);
    return out;
}

class WebBrowserTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(WebBrowserTest, PageWithoutCharsetIsReadAsGbkAndEndsWithDoneProgress) {
    // Short texts are where the engine's own guess goes wrong ("一" reads as UTF-8, "春" as Korean).
    for (const QString& text : {QStringLiteral("一"), QStringLiteral("春"), QStringLiteral("中文页面：测试")}) {
        SCOPED_TRACE(text.toStdString());
        writeFile(file(QStringLiteral("gbk.html")),
                  AnsiCodec::encode(QStringLiteral("<html><body>") + text + QStringLiteral("</body></html>")));
        WebBrowser web;
        web.resize(400, 300);
        web.show();
        EXPECT_FALSE(web.hasDocument());
        EXPECT_EQ(web.documentTextSync(), QString());

        QSignalSpy progress(&web, &WebBrowser::progressChange);
        ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("gbk.html"))));
        EXPECT_TRUE(web.hasDocument());
        EXPECT_EQ(web.documentTextSync().trimmed(), text);
        EXPECT_EQ(QUrl(web.LocationURL()).toLocalFile(), file(QStringLiteral("gbk.html")));

        // The last progress event of a load is one that callers read as "done".
        ASSERT_FALSE(progress.isEmpty());
        const QList<QVariant> last = progress.last();
        const int p = last.at(0).toInt(), m = last.at(1).toInt();
        EXPECT_FALSE(p > 0 && p < m);
        for (const QList<QVariant>& e : progress.mid(0, progress.size() - 1))
            EXPECT_TRUE(e.at(0).toInt() > 0 && e.at(0).toInt() < e.at(1).toInt());

        // The asynchronous form gives the same text.
        QString async;
        web.documentText([&](const QString& t) { async = t; });
        ASSERT_EVENTUALLY(!async.isEmpty(), kLoadTimeoutMs);
        EXPECT_EQ(async.trimmed(), text);
    }
}

TEST_F(WebBrowserTest, DeclaredCharsetsAndLinkedLocalPagesAreReadRight) {
    writeFile(file(QStringLiteral("utf8.html")),
              QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>一</body></html>").toUtf8());
    writeFile(file(QStringLiteral("second.html")), AnsiCodec::encode(QStringLiteral("<html><body>春</body></html>")));
    writeFile(file(QStringLiteral("first.html")),
              "<html><body><a id=\"a\" href=\"second.html\">next</a><img id=\"i\" src=\"pic.png\"></body></html>");
    WebBrowser web;
    web.show();
    ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("utf8.html"))));
    EXPECT_EQ(web.documentTextSync().trimmed(), QStringLiteral("一"));

    ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("first.html"))));
    // Relative addresses resolve against the file's folder.
    EXPECT_EQ(web.runScriptSync(QStringLiteral("document.getElementById('i').src")).toString(),
              QUrl::fromLocalFile(file(QStringLiteral("pic.png"))).toString());
    QSignalSpy done(&web, &WebBrowser::documentComplete);
    web.runScript(QStringLiteral("document.getElementById('a').click()"));
    ASSERT_TRUE(done.wait(kLoadTimeoutMs));
    ASSERT_EVENTUALLY_EQ(web.documentTextSync().trimmed(), QStringLiteral("春"), kLoadTimeoutMs);
    EXPECT_EQ(web.LocationURL(), QUrl::fromLocalFile(file(QStringLiteral("second.html"))).toString());
}

TEST_F(WebBrowserTest, RefreshReadsTheFileAgainFromDisk) {
    const QString path = file(QStringLiteral("cell.html"));
    writeFile(path, AnsiCodec::encode(QStringLiteral("<html><body>旧内容</body></html>")));
    WebBrowser web;
    web.show();
    web.refresh();  // no document yet: nothing happens
    EXPECT_FALSE(web.isLoading());
    EXPECT_EQ(web.LocationURL(), QString());
    QSignalSpy loaded(&web, &WebBrowser::documentComplete);
    web.Navigate(path);
    // The location is the navigated address at once, as the engine later confirms it.
    EXPECT_EQ(web.LocationURL(), QUrl::fromLocalFile(path).toString());
    ASSERT_TRUE(loaded.wait(kLoadTimeoutMs));
    EXPECT_EQ(web.LocationURL(), QUrl::fromLocalFile(path).toString());
    EXPECT_EQ(web.documentTextSync().trimmed(), QStringLiteral("旧内容"));

    writeFile(path, AnsiCodec::encode(QStringLiteral("<html><body>新内容</body></html>")));
    QSignalSpy done(&web, &WebBrowser::documentComplete);
    web.execCommand(QStringLiteral("Refresh"));
    ASSERT_TRUE(done.wait(kLoadTimeoutMs));
    EXPECT_EQ(web.documentTextSync().trimmed(), QStringLiteral("新内容"));
    // One refresh is one load: a later load comes next, with nothing between.
    const QString later = file(QStringLiteral("later.html"));
    writeFile(later, "<html><body>later</body></html>");
    web.Navigate(later);
    ASSERT_TRUE(done.wait(kLoadTimeoutMs));
    EXPECT_EQ(done.size(), 2);
    EXPECT_EQ(web.documentTextSync().trimmed(), QStringLiteral("later"));
}

TEST_F(WebBrowserTest, NewWindowRequestIsRefusedOrOpenedInASeparateWindow) {
    writeFile(file(QStringLiteral("popup.html")), "<html><body>popup</body></html>");
    writeFile(file(QStringLiteral("opener.html")),
              "<html><body>opener<script>window.open('popup.html','_blank');</script></body></html>");
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "allowed");
        qDeleteAll(OpenBrowserWindows());
        QWidget host;
        auto* web = new WebBrowser(&host);
        host.show();
        int asked = 0;
        QObject::connect(web, &WebBrowser::newWindow2, [&](bool* c) {
            ++asked;
            *c = cancel;
        });
        ASSERT_TRUE(NavigateAndWait(*web, file(QStringLiteral("opener.html"))));
        ASSERT_EVENTUALLY_EQ(asked, 1, kLoadTimeoutMs);
        if (cancel) {
            // The refusal is decided inside the request; a later load in the same view proves
            // that the engine went on without opening anything.
            ASSERT_TRUE(NavigateAndWait(*web, file(QStringLiteral("popup.html"))));
            EXPECT_TRUE(OpenBrowserWindows().isEmpty());
        } else {
            ASSERT_EVENTUALLY_EQ(OpenBrowserWindows().size(), 1, kLoadTimeoutMs);
            WebBrowser* popup = OpenBrowserWindows().first()->browser();
            // The new window holds an empty document first and loads the page after it, so the
            // test waits for the page's text, not for any document.
            ASSERT_EVENTUALLY_EQ(popup->documentTextSync().trimmed(), QStringLiteral("popup"), kLoadTimeoutMs);
            // The separate window belongs to its opener's window and closes with it.
            EXPECT_EQ(OpenBrowserWindows().first()->parentWidget(), &host);
        }
    }
}

TEST_F(WebBrowserTest, DesignModeEditsTheDocumentAndReadsBackItsHtml) {
    writeFile(file(QStringLiteral("edit.html")), "<html><body><p id=\"p\">abc</p></body></html>");
    WebBrowser web;
    web.show();
    ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("edit.html"))));
    web.setDesignMode(true);
    EXPECT_EQ(web.runScriptSync(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"));
    web.runScriptSync(QStringLiteral("document.getSelection().selectAllChildren(document.getElementById('p'))"));
    web.execCommand(QStringLiteral("Bold"));
    EXPECT_EQ(web.documentHtmlSync(), QStringLiteral("<p id=\"p\"><b>abc</b></p>"));
}

TEST_F(WebBrowserTest, EditablePagesRunNoPageScriptsYetTakeCommandsAndGiveTheirOuterHtml) {
    writeFile(file(QStringLiteral("post.html")),
              "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r<P ID=p>abc</P>"
              "<script>document.body.setAttribute('ran','yes')</script></BODY></HTML>");
    WebBrowser web;
    web.show();
    EXPECT_EQ(web.documentOuterHtmlSync(), QString());  // no document yet
    web.setDesignMode(true);
    ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("post.html"))));
    ASSERT_EVENTUALLY_EQ(web.runScriptSync(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"),
                         kLoadTimeoutMs);
    web.runScriptSync(QStringLiteral("document.getSelection().selectAllChildren(document.getElementById('p'))"));
    web.execCommand(QStringLiteral("bold"));  // names in any letter case
    web.execCommand(QStringLiteral("FontSize"), QStringLiteral("7"));
    // The page's script did not run; the engine's serialisation: lower-case tags, quoted
    // attributes, "\r" read as "\n".
    EXPECT_EQ(web.documentOuterHtmlSync(),
              QStringLiteral("<html><head><title>t</title></head><body>\n<p id=\"p\"><b><font size=\"7\">abc</font></b></p>"
                             "<script>document.body.setAttribute('ran','yes')</script></body></html>"));
    QString async;
    web.documentOuterHtml([&](const QString& t) { async = t; });
    ASSERT_EVENTUALLY(!async.isEmpty(), kLoadTimeoutMs);
    EXPECT_TRUE(async.startsWith(QStringLiteral("<html><head>")));

    // Commands in a document that never had a caret go to the body's end; a rule gets its id.
    ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("post.html"))));
    web.execCommand(QStringLiteral("InsertHorizontalRule"), QStringLiteral("aa"));
    const QString body = web.documentHtmlSync();
    EXPECT_TRUE(body.contains(QStringLiteral("abc</p><hr id=\"aa\">"))) << body.toStdString();

    // A page that is not edited runs its scripts as before.
    web.setDesignMode(false);
    ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("post.html"))));
    EXPECT_EQ(web.runScriptSync(QStringLiteral("document.body.getAttribute('ran')")).toString(), QStringLiteral("yes"));
}

TEST_F(WebBrowserTest, AFrameIntervalSpacesTheAnimationFramesOfAPage) {
    // The page counts its animation frames and keeps the mean gap between them since the body was
    // given a "reset" attribute, in its body's attributes: the browser's scripts see the document,
    // not the page's variables.
    writeFile(file(QStringLiteral("frames.html")),
              "<html><body><div id=\"d\">moving</div><script>"
              "var n=0,k=0,since=0,gap=0,b=document.body;function f(t){"
              "if(b.hasAttribute('reset')){b.removeAttribute('reset');since=t;k=0;}else if(since>0){k++;gap=(t-since)/k;}"
              "n++;document.getElementById('d').style.marginLeft=(n%50)+'px';"
              "b.setAttribute('n',n);b.setAttribute('gap',gap);requestAnimationFrame(f);}"
              "requestAnimationFrame(f);</script></body></html>");
    auto frames = [](WebBrowser& web) { return web.runScriptSync(QStringLiteral("+document.body.getAttribute('n')")).toInt(); };
    auto meanGap = [](WebBrowser& web) {
        return web.runScriptSync(QStringLiteral("+document.body.getAttribute('gap')")).toDouble();
    };

    WebBrowser paced;
    paced.resize(300, 200);
    paced.setFrameInterval(200);
    paced.show();
    ASSERT_TRUE(NavigateAndWait(paced, file(QStringLiteral("frames.html"))));
    // Once the view draws (its first frames may come before its drawing widget exists), the page
    // keeps moving at the interval's pace (a frame may be made while the one before waits to be
    // drawn, so two may come close: the mean is what the interval holds).
    ASSERT_TRUE(WaitUntil([&] { return frames(paced) >= 3; }, kLoadTimeoutMs, 5));
    // The drawing widget's timer, held back, fires once or twice a frame, not every few
    // milliseconds until the interval is over (each firing wakes the program).
    struct TimerCount : QObject {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Timer) ++n;
            return false;
        }
    } timers;
    for (QObject* child : paced.view()->children())
        if (child->isWidgetType()) child->installEventFilter(&timers);
    paced.runScriptSync(QStringLiteral("document.body.setAttribute('reset','')"));
    const int counted = frames(paced);
    ASSERT_TRUE(WaitUntil([&] { return frames(paced) >= counted + 6; }, kLoadTimeoutMs, 5));
    EXPECT_GE(meanGap(paced), 150.0);
    EXPECT_LE(timers.n, 4 * (frames(paced) - counted) + 10);

    // Lifted, the page runs at the engine's own pace again.
    paced.setFrameInterval(0);
    paced.runScriptSync(QStringLiteral("document.body.setAttribute('reset','')"));
    const int lifted = frames(paced);
    ASSERT_TRUE(WaitUntil([&] { return frames(paced) >= lifted + 30; }, kLoadTimeoutMs, 5));
    EXPECT_LT(meanGap(paced), 120.0);
}

TEST_F(WebBrowserTest, APageOutOfSightIsHiddenFromTheEngineEvenWhenItsViewIsShownAgain) {
    writeFile(file(QStringLiteral("plain.html")), "<html><body style=\"background:#c00000\">plain</body></html>");
    WebBrowser web;
    web.resize(200, 100);
    web.show();
    ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("plain.html"))));
    auto state = [&web] { return web.runScriptSync(QStringLiteral("document.visibilityState")).toString(); };
    ASSERT_EQ(state(), QStringLiteral("visible"));

    web.setInSight(false);
    EXPECT_FALSE(web.page()->isVisible());
    EXPECT_FALSE(web.view()->isVisible());  // its drawn pictures go with it
    EXPECT_EVENTUALLY_EQ(state(), QStringLiteral("hidden"), kLoadTimeoutMs);
    // The view shows its page when it is shown again; out of sight, the page stays hidden.
    web.hide();
    web.show();
    EXPECT_EVENTUALLY(!web.page()->isVisible() && state() == QStringLiteral("hidden"), kLoadTimeoutMs);

    web.setInSight(true);
    EXPECT_TRUE(web.view()->isVisible());
    EXPECT_TRUE(web.page()->isVisible());
    EXPECT_EVENTUALLY_EQ(state(), QStringLiteral("visible"), kLoadTimeoutMs);
    // Back in sight, the page is drawn again.
    EXPECT_EVENTUALLY(web.view()->grab().toImage().pixel(150, 80) == qRgb(0xc0, 0, 0), kLoadTimeoutMs);
}

TEST_F(WebBrowserTest, MarqueesMoveInStepsOfTheirScrollAmountAndKeepTheirStartAndStop) {
    // Each marquee's content has a fixed size, so the ends of its run are known: "up" runs from 100
    // (below) by steps of 10; "slide" from -40 (left of it) to 60 (its right end) and stops there;
    // "left", with the default amount, from 100 by steps of 6. "fast", at the default delay, steps
    // more often than five times a second and is left to the engine.
    const char page[] =
        "<html><body style=\"margin:0\">"
        "<marquee id=\"up\" direction=\"up\" height=\"100\" width=\"100\" scrollamount=\"10\" scrolldelay=\"200\" "
        "onMouseOut=\"this.start()\" onMouseOver=\"this.stop()\"><div id=\"upc\" style=\"height:40px\">a<br>b</div>"
        "</marquee><br>"
        "<marquee id=\"slide\" direction=\"right\" behavior=\"slide\" width=\"100\" scrollamount=\"30\" "
        "scrolldelay=\"200\"><span id=\"slidec\" style=\"display:inline-block;width:40px\">c</span></marquee><br>"
        "<marquee id=\"left\" width=\"100\" scrolldelay=\"200\"><span id=\"leftc\" "
        "style=\"display:inline-block;width:20px\">d</span></marquee><br>"
        "<marquee id=\"fast\" width=\"100\"><span id=\"fastc\">e</span></marquee></body></html>";
    writeFile(file(QStringLiteral("marquee.html")), page);
    WebBrowser web;
    web.resize(300, 300);
    web.show();
    ASSERT_TRUE(NavigateAndWait(web, file(QStringLiteral("marquee.html"))));
    // Where the content is in its marquee, seen on the page: the engine's own motion would show too.
    auto offset = [&web](const char* id, bool across) {
        const QString side = across ? QStringLiteral("left") : QStringLiteral("top");
        return web
            .runScriptSync(QStringLiteral("(function(){var m=document.getElementById('%1').getBoundingClientRect(),"
                                          "c=document.getElementById('%1c').getBoundingClientRect();return c.%2-m.%2;})()")
                               .arg(QLatin1String(id), side))
            .toDouble();
    };
    struct Run {
        const char* id;
        bool across;
        double from, step, to;
    };
    const Run runs[] = {{"up", false, 100, -10, -40}, {"slide", true, -40, 30, 60}, {"left", true, 100, -6, -20}};
    // Every position seen is a whole number of steps from the start (or the slide's end), and each
    // marquee is seen in at least three of them.
    for (const Run& r : runs) {
        QSet<int> seen;
        bool onSteps = true;
        WaitUntil(
            [&] {
                const double at = offset(r.id, r.across);
                const double steps = (at - r.from) / r.step;
                onSteps = onSteps && (std::abs(steps - std::round(steps)) < 0.01 || std::abs(at - r.to) < 0.01);
                seen.insert(int(std::lround(at)));
                return seen.size() >= 3;
            },
            kLoadTimeoutMs, 5);
        EXPECT_TRUE(onSteps) << r.id;
        EXPECT_GE(seen.size(), 3) << r.id;
    }
    // The slide stays at its end while the others go on.
    const double left = offset("left", true);
    ASSERT_EVENTUALLY_EQ(offset("slide", true), 60.0, kLoadTimeoutMs);
    ASSERT_EVENTUALLY(std::abs(offset("left", true) - left) >= 3 * 6, kLoadTimeoutMs);
    EXPECT_EQ(offset("slide", true), 60.0);

    // The page's own handlers stop and start it (they run in the page's world, as a click would).
    web.runScriptSync(QStringLiteral("document.getElementById('up').dispatchEvent(new MouseEvent('mouseover'))"));
    const double stopped = offset("up", false);
    const double moving = offset("left", true);
    ASSERT_EVENTUALLY(std::abs(offset("left", true) - moving) >= 3 * 6, kLoadTimeoutMs);
    EXPECT_EQ(offset("up", false), stopped);
    web.runScriptSync(QStringLiteral("document.getElementById('up').dispatchEvent(new MouseEvent('mouseout'))"));
    EXPECT_EVENTUALLY(offset("up", false) != stopped, kLoadTimeoutMs);
    // The marquees are still the page's elements, with their attributes and content.
    EXPECT_EQ(web.runScriptSync(QStringLiteral("document.querySelectorAll('marquee[scrollamount]').length")).toInt(), 2);
    EXPECT_EQ(web.runScriptSync(QStringLiteral("document.getElementById('fast').firstElementChild.id")).toString(),
              QStringLiteral("fastc"));
    EXPECT_EQ(web.runScriptSync(QStringLiteral("document.getElementById('up').textContent")).toString(),
              QStringLiteral("ab"));

    // An edited page runs no scripts: its marquee is the engine's, and its HTML is the page's own.
    WebBrowser editor;
    editor.show();
    editor.setDesignMode(true);
    ASSERT_TRUE(NavigateAndWait(editor, file(QStringLiteral("marquee.html"))));
    const QByteArray body(page);
    EXPECT_EQ(editor.documentHtmlSync(),
              QString::fromLatin1(body.mid(body.indexOf('>', body.indexOf("<body")) + 1)
                                      .chopped(int(qstrlen("</body></html>"))))
                  .replace(QStringLiteral("onMouseOut"), QStringLiteral("onmouseout"))
                  .replace(QStringLiteral("onMouseOver"), QStringLiteral("onmouseover")));
}

}  // namespace
