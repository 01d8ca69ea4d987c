#pragma once
// The image editor's window around the canvas: its size, the work area's layout, the
// advertisement strips, the help panel and the close picture.
#include "foundation/adcarousel.h"
#include "imageeditor/editorpart.h"

#include <QDate>
#include <QString>

#include <array>

// The address of an advertisement page of the editor ("picedit1.html", "picedit2.html") in the
// week's folder on the advertisement host, with the member's keys and the client version.
QString EditorAdAddress(const QString& page, const QDate& today);

// The help panel's lines, top to bottom: the title, then steps and notes (notes are red).
struct HelpLine {
    QString text;
    bool note = false;
};
const std::array<HelpLine, 13>& HelpLines();

// Where the work area's resize puts things (twips); the window shows it.
struct WorkAreaLayout {
    double viewportWidth = 0;   // picPic1
    double viewportHeight = 0;
    double vscr1Left = 0;       // in the viewport
    qint16 vscr1Max = 0;
    double tooPicWidth = 0;
    // The advertisement strips follow the work area.
    double picAD1Height = 0;
    double Picture8Top = 0;
    double webAD1Height = 0;
    double picAD2Width = 0;
    double Picture9Left = 0;
    double webAD2Width = 0;
};

class EditorLayout : public ImageEditorPart {
public:
    explicit EditorLayout(ImageEditorController& owner) : ImageEditorPart(owner) {}

    // The window's outer size in twips; the window keeps it current.
    double windowWidth = 15480;
    double windowHeight = 11190;
    // The grab renders offscreen, so nothing moves around it: these stay idle, and the layout
    // still honours the first.
    bool LayoutSuspended = false;
    std::array<std::array<qint32, 2>, 7> SavedWorkAreaLayout{};
    WorkAreaLayout work;
    // The advertisement strips: the left one pages sideways, the top one downwards.
    AdCarousel adLeft{2115, -30};
    AdCarousel adTop{1830, -30};
    bool picHelpVisible = false;  // hidden at design

    // Start-up sends each strip's browser to its page.
    void navigateAds();
    // What enlarging the work area for a grab leaves behind: the caption, text-watermark,
    // custom-size and help panels end hidden. Restoring shows the rest as it was.
    void EnlargeWorkArea();
    void RestoreWorkArea();
    // The work area's resize (picFrame_Resize): viewport, scroll bar, toolbar, the frame and the
    // picture centred across, the border and notice on the frame, the strips.
    void picFrame_Resize(double width, double height);
    void picBack_Click();
    void TimerAD_Timer();
    void imgAD_Click(int index);
    void cmdHelp_Click();
    void cmdCloseHelp_Click();
};
