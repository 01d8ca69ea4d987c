#include "imageeditor/imageeditor.h"

#include "state/loginstate.h"
#include "platform/hookcheck.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

using namespace vb;

ImageEditorPart::ImageEditorPart(ImageEditorController& owner)
    : editor(owner), canvas(owner.layers.canvas), MeasuredTwipsPerPixel(owner.layers.MeasuredTwipsPerPixel) {}

void ImageEditorPart::refresh() const { CALL_REQUIRED_HOOK(editor.view.refresh); }

void ImageEditorController::Form_Load() {
    output.EditorLoaded = false;
    tools.HasHostedSpace = LoginField(2) != QLatin1String("0");
    REQUIRE_HOOK(view.measureImg500p);
    const double img500p = view.measureImg500p ? view.measureImg500p() : 7500;
    const qint16 twipsPerPixel = layers.MeasuredTwipsPerPixel = qint16(RoundHalfEven(img500p / 500));
    layout.navigateAds();
    text.setInitialLooks();
    EditorCanvas& canvas = layers.canvas;
    canvas.height = layout.windowHeight;
    canvas.shaCut.setWidth(600 * twipsPerPixel);
    canvas.shaCut.setHeight(450 * twipsPerPixel);
    canvas.shaCut.moveLeft((canvas.width - canvas.shaCut.width()) / 2);
    canvas.shaCut.moveTop((canvas.height - canvas.shaCut.height()) / 2);
    layers.centreCanvas();
    output.cobSetSizeText = SizeListEntries().at(1);
    output.cobSetSize_Click();  // does nothing yet: the editor is still loading
    output.EditorLoaded = true;
    CALL_REQUIRED_HOOK(view.refresh);
}
