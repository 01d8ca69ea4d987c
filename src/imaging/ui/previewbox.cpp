#include "imaging/ui/previewbox.h"

#include "imaging/dibprocess.h"
#include "platform/twips.h"

PreviewBox::PreviewBox(QWidget* parent, int fitSize) : QWidget(parent), m_fitSize(fitSize) {
    picPreview = new PictureBox(this);
    picBackColor = new PictureBox(this);
    picBackColor->hide();
    setBoxTwips({0, 0, twips::FromPixels(100), twips::FromPixels(100)});
}

void PreviewBox::setBoxTwips(const TwipsRect& box) {
    m_box = box;
    picPreview->setGeometry(twips::ToPixels(box.left), twips::ToPixels(box.top), twips::ToPixels(box.width),
                            twips::ToPixels(box.height));
}

void PreviewBox::placeBox(int w, int h) {
    setBoxTwips(RecentredBox(m_box, w, h));
    picPreview->Cls();
}

void PreviewBox::BuildPreviewDib() {
    if (!SourceDib) SourceDib = std::make_shared<cDIBSection1>();
    const int sourceW = SourceDib->DIBSectionBitsPtr() ? SourceDib->Width() : 0;
    const int sourceH = SourceDib->DIBSectionBitsPtr() ? SourceDib->Height() : 0;
    const QSize size = m_fitSize > 0 ? FittedSize(sourceW, sourceH, m_fitSize) : QSize(sourceW, sourceH);
    PreviewDib = std::make_shared<cDIBSection1>();
    if (PreviewDib->Create(size.width(), size.height()))
        SourceDib->PaintPicture(PreviewDib->hDC(), 3, 0, 0, size.width(), size.height(), 0, 0, -1, -1, vbSrcCopy);
    placeBox(size.width(), size.height());
    if (PreviewDib->DIBSectionBitsPtr())
        PreviewDib->PaintPicture(picPreview->hDC(), 1, 0, 0, -1, -1, 0, 0, -1, -1, vbSrcCopy);
    picPreview->Refresh();
}

void PreviewBox::ShowRotatedPreview(float Angle, quint32 BackClr) {
    if (!PreviewDib) PreviewDib = std::make_shared<cDIBSection1>();
    const bool held = PreviewDib->DIBSectionBitsPtr() != nullptr;
    QSize size(held ? PreviewDib->Width() : 0, held ? PreviewDib->Height() : 0);
    if (Angle != 0) {
        if (RotatedDib) RotatedDib->ClearUp();
        // Turned through a reference of its own, so a failed turn can never clear the preview copy.
        std::shared_ptr<cDIBSection1> turned = PreviewDib;
        cDIBProcess process;
        process.RotateDIB(turned, Angle, BackClr);
        RotatedDib = std::move(turned);
        size = QSize(RotatedDib->Width(), RotatedDib->Height());
        if (m_fitSize > 0) size = FittedSize(size.width(), size.height(), m_fitSize);
    }
    placeBox(size.width(), size.height());
    if (Angle != 0)
        RotatedDib->PaintPicture(picPreview->hDC(), 3, 0, 0, size.width(), size.height(), 0, 0, -1, -1, vbSrcCopy);
    else if (held)
        PreviewDib->PaintPicture(picPreview->hDC(), 1, 0, 0, -1, -1, 0, 0, -1, -1, vbSrcCopy);
    picPreview->Refresh();
}

QImage PreviewBox::TurnedPicture(const QImage& source, int degrees) {
    SourceDib = std::make_shared<cDIBSection1>();
    if (!SourceDib->CreateFromHandle(source, 0, 0, -1, -1)) return QImage();
    BuildPreviewDib();
    ShowRotatedPreview(float(degrees), picBackColor->BackColor());
    return picPreview->Image().copy();
}
