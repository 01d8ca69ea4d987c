#pragma once
// The image editor's logic on a canvas laid out as the designed window's, with scripted prompts.
#include <gtest/gtest.h>

#include "imageeditor/imageeditor.h"
#include "support/fixtures.h"

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QStringList>

namespace testsupport {

// A canvas as the designed window lays it out: viewport 10710 × 7980 twips, window 15480 × 11190.
class Editor : public DataRootTest {
protected:
    void start(int twipsPerPixel = 15) {
        e.view.refresh = [this] { ++refreshes; };
        e.view.focusWidthBox = [this] { focus << QStringLiteral("txtSizeW"); };
        e.view.focusHeightBox = [this] { focus << QStringLiteral("txtSizeH"); };
        e.view.focusScrollBar = [this] { focus << QStringLiteral("vscr1"); };
        e.view.focusWatermarkBox = [this] { focus << QStringLiteral("txtWaterMark(0)"); };
        e.view.measureImg500p = [twipsPerPixel] { return 500.0 * twipsPerPixel; };
        e.view.unload = [this] { ++unloads; };
        e.view.navigateAd = [this](int strip, const QString& address) { adAddresses[strip - 1] = address; };
        e.layers.canvas.width = 10710;
        e.layers.viewportHeight = 7980;
        e.layout.windowWidth = 15480;
        e.layout.windowHeight = 11190;
        e.Form_Load();
        focus.clear();
    }
    QString picture(const QString& name, int w, int h, QColor c = Qt::green) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(c);
        const QString path = root() + QLatin1Char('/') + name;
        EXPECT_TRUE(image.save(path));
        return path;
    }
    void open(const QString& path) {
        prompts.answerText(path);
        e.tooPic_ButtonClick(QStringLiteral("Open"));
    }
    QSize savedSize(const QString& path) { return QImageReader(path).size(); }
    // A label of this look shown at a place, sized to its text.
    static CanvasLabel shownLabel(const OverlayLabel& look, QPointF at) {
        CanvasLabel l;
        l.label = look;
        l.topLeft = at;
        l.visible = true;
        return l;
    }
    // The last message box's text, title and style.
    PromptRecord lastBox() const {
        for (qsizetype i = prompts.records().size() - 1; i >= 0; --i)
            if (prompts.records()[i].kind == QLatin1String("msgbox")) return prompts.records()[i];
        return {};
    }

    ImageEditorController e;
    QStringList focus;
    int refreshes = 0;
    int unloads = 0;
    QString adAddresses[2];
};

}  // namespace testsupport
