#pragma once
// A picture box with a persistent picture: code draws into its device context (hDC), the box
// shows what was drawn and keeps it when it is covered or resized. Its back colour is an OLE
// colour, as the windows' designs give it.
#include "platform/devicecontext.h"

#include <QImage>
#include <QWidget>

class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The persistent picture's surface, the box's size.
    DeviceContext* hDC();
    // The persistent picture as shown.
    const QImage& Image();
    // Clears the persistent picture to the back colour.
    void Cls();
    // Shows what was drawn into hDC.
    void Refresh() { update(); }

    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 oleColor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The persistent picture follows the box's size; a hidden box gets no resize events.
    void followSize();

    QImage m_image;
    DeviceContext m_dc;
    quint32 m_backColor = 0x8000000F;  // button face
};
