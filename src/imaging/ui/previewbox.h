#pragma once
// The preview box of the picture windows: the loaded picture (SourceDib), its preview copy
// (PreviewDib) shown in picPreview, and the copy turned by an angle (RotatedDib) shown in its
// place with the uncovered corners in picBackColor's colour. The box keeps its centre as its size
// follows the picture. With a fit size (300 or 100, as the upload windows use) the preview and the
// turned preview are scaled so that their longer side has that many pixels.
#include "imaging/dibsection.h"
#include "imaging/previewlayout.h"
#include "platform/ui/picturebox.h"

#include <QWidget>

#include <memory>

class PreviewBox : public QWidget {
public:
    explicit PreviewBox(QWidget* parent = nullptr, int fitSize = 0);

    // The box's place inside this widget, in twips.
    void setBoxTwips(const TwipsRect& box);
    const TwipsRect& boxTwips() const { return m_box; }

    // A preview copy of SourceDib (at its own size, or fitted), shown in the re-centred box.
    void BuildPreviewDib();
    // The preview copy turned by Angle degrees (0: the copy as it is), shown in the re-centred
    // box. BackClr is an OLE colour, as a rule picBackColor->BackColor().
    void ShowRotatedPreview(float Angle, quint32 BackClr);
    // A picture turned by a multiple of 90 degrees through the box, as the box paints it (null
    // when the picture cannot be taken).
    QImage TurnedPicture(const QImage& source, int degrees);
    // The upload windows' name for BuildPreviewDib.
    void ShowPreviewImage() { BuildPreviewDib(); }

    PictureBox* picPreview = nullptr;
    PictureBox* picBackColor = nullptr;  // hidden until a window places it
    std::shared_ptr<cDIBSection1> SourceDib = std::make_shared<cDIBSection1>();
    std::shared_ptr<cDIBSection1> PreviewDib;
    std::shared_ptr<cDIBSection1> RotatedDib;

private:
    // Resizes the box to w × h pixels around its centre and clears its picture.
    void placeBox(int w, int h);

    int m_fitSize;
    TwipsRect m_box;
};
