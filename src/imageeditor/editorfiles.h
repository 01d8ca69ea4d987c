#pragma once
// The image editor's loading and saving: Open lays a picture on the canvas, Save writes the
// frame region as a JPEG file; the caption names the file.
#include "imageeditor/editorpart.h"

#include <QImage>
#include <QString>

class EditorFiles : public ImageEditorPart {
public:
    explicit EditorFiles(ImageEditorController& owner) : ImageEditorPart(owner) {}

    QString caption = QStringLiteral("图像编辑");
    // Hidden labels, empty at load.
    QString labOpenPath;
    QString labSavePath;
    // The name the file chooser dia1 holds last: Open and both picture choosers share it.
    QString dia1FileName;

    // The toolbar: "Open" and "Save"; any other key does nothing.
    void tooPic_ButtonClick(const QString& key);
    void Open();
    void Save();
    // The frame region with every visible overlay, as the grab gives it.
    QImage GrabFrameRegion();
};
