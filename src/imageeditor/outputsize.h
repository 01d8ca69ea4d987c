#pragma once
// The image editor's output size: the size list, the custom-size panel and the frame shaCut they
// size and centre on the canvas.
#include "imageeditor/editorpart.h"

#include <QString>
#include <QStringList>

// The fifteen presets and the custom entry of cobSetSize, in list order.
QStringList SizeListEntries();
inline const QString kOtherSizeEntry = QStringLiteral("其它大小");

class EditorOutputSize : public ImageEditorPart {
public:
    explicit EditorOutputSize(ImageEditorController& owner) : ImageEditorPart(owner) {}

    // Until start-up ends, the list's click does nothing.
    bool EditorLoaded = false;
    QString cobSetSizeText;
    bool picSetSizeVisible = false;  // hidden at design
    // Hidden labels with their values at load.
    QString labOtherSize;
    QString labW;
    QString labH;
    QString labMaxWidth = QStringLiteral("600");
    QString labMaxHeight = QStringLiteral("600");

    // The size list's choice (its current text in cobSetSizeText), as the member's click.
    void cobSetSize_Click();
    void SelectSizeEntry(const QString& entry);
    void cmdOtherSize_Click();
    void cmdSetSizeYes_Click(const QString& txtSizeW, const QString& txtSizeH);
    void cmdSetSizeCancel_Click();

private:
    void placeFrame(bool raiseNegative);
    void showMaxSizes();
};
