#pragma once
// What every part of the image editor shares: the editor that owns it, through which it reaches
// the window's view and the other parts, and the canvas they all draw on.
#include <QtGlobal>

class ImageEditorController;
struct EditorCanvas;

class ImageEditorPart {
public:
    ImageEditorPart(const ImageEditorPart&) = delete;

protected:
    // The editor's canvas part is made before any other part.
    explicit ImageEditorPart(ImageEditorController& owner);
    ~ImageEditorPart() = default;
    // A part takes another's state and stays with its own editor, so that one editor can be
    // assigned to another.
    ImageEditorPart& operator=(const ImageEditorPart&) { return *this; }

    // Shows the editor's state in its window.
    void refresh() const;

    ImageEditorController& editor;
    // The canvas part's, read here by the names it has there.
    EditorCanvas& canvas;
    const qint16& MeasuredTwipsPerPixel;
};
