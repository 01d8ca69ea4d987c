#pragma once
// The picture-preparation worker frm图像压缩 apart from its window: one local picture becomes the
// temp.jpg an upload sends. The picture is fitted into 600 × 600 pixels (never enlarged), the
// member's border and watermarks are laid over it when asked, it is turned by quarter turns, and
// the result is written at JPEG quality 95. Everything is composed offscreen; nothing the program
// writes on the way is read back.
#include <QImage>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

// The fitted size in pixels of a picture of natural size w × h pixels, by the worker's twips
// arithmetic: the longer side at most 9000 twips, the shorter one scaled by the same factor.
QSize FitUploadPicture(QSize natural);
// A size given in twips texts (the main window's labZipPicWidth and labZipPicHeight), in pixels.
QSize ExplicitUploadSize(const QString& widthTwips, const QString& heightTwips);

// A picture file read by its content and scaled smoothly to sizeFor(its natural size). A JPEG is
// decoded at the smallest DCT scale that still covers that size, never at full size when a
// smaller scale does; other kinds go through Qt's readers under their allocation limit. Null for
// a missing, unreadable, truncated or oversized file, or an empty size.
QImage LoadScaledPicture(const QString& path, const std::function<QSize(QSize natural)>& sizeFor);
// A JPEG decoded at the smallest DCT scale (in eighths) that still covers sizeFor(its natural
// size), not scaled beyond that. nullopt for a file that is no JPEG this decoder takes (Qt's
// readers then try it); a null picture for a damaged, truncated or oversized one.
std::optional<QImage> LoadJpegCovering(const QString& path, const std::function<QSize(QSize natural)>& sizeFor);
// The smallest DCT scale in eighths (1 to 8) at which a picture of that natural size covers wanted.
int JpegScaleCovering(QSize natural, QSizeF wanted);
// Only a part of a JPEG that LoadJpegCovering takes, decoded at scale eighths: the rows above the
// part are read without being decoded into pixels, the rows below not at all. part is in the
// scaled picture's pixels; a null picture for a damaged file or a part outside the picture.
QImage LoadJpegPart(const QString& path, int scale, QRect part);
// The natural size of a JPEG that LoadJpegCovering takes, from its header and end marker alone;
// empty otherwise, also for a picture past Qt's allocation limit or a file without its end marker.
QSize JpegPictureSize(const QString& path);

struct UploadPictureRequest {
    QString picturePath;
    bool overlays = false;   // labUploadWatermarkBorder is "1": lay what wab.dat sets
    QString rotation;        // quarter turns as text; "0" none
    QString explicitWidth;   // twips; used, with the height, when it holds text
    QString explicitHeight;
    QString userFolder;      // holds wab.dat, the watermark and border copies and the output
};

struct UploadPictureComposition {
    QImage shown;      // the first layout with every layer: what the window shows
    QImage firstGrab;  // the first layout as grabbed (the watermarks left out before a turn)
    QImage turned;     // the first grab turned (savepic1.bmp); null without a turn
    QImage picture;    // what temp.jpg holds; null when no picture could be laid out
};

// The whole composition, with no file written.
UploadPictureComposition ComposeUploadPicture(const UploadPictureRequest& request);

// The request the main window's labels hand over; an explicit size is taken and both of its
// labels emptied.
UploadPictureRequest UploadPictureRequestFromLabels();

inline constexpr char kPreparedPictureFile[] = "temp.jpg";
inline constexpr char kPreparedGrabFile[] = "temp.bmp";
inline constexpr char kTurnedPictureFile[] = "savepic1.bmp";
inline constexpr int kPreparedJpegQuality = 95;

// Removes temp.bmp and temp.jpg of an earlier run, so that a failed run leaves no stale picture
// for the upload to send.
void RemovePreparedFiles(const QString& userFolder);
// Writes temp.bmp for each grab, savepic1.bmp in the data root after a turn and temp.jpg. True
// when temp.jpg was written.
bool WritePreparedFiles(const UploadPictureComposition& composition, const QString& userFolder);

struct PicturePreparationView {
    // The laid-out composition, shown centred in the window, which takes its size plus 150 twips
    // and centres itself on the screen.
    std::function<void(const QImage&)> showComposition;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("showComposition", bool(showComposition));
    }
};

// The worker's two steps: the load lays the picture out, the tick writes what it made.
class PicturePreparationController {
public:
    explicit PicturePreparationController(PicturePreparationView view) : m_view(std::move(view)) {}
    // Removes the files of an earlier run, reads the labels, composes and shows the layout.
    void LoadAndOverlayPicture();
    // Writes the files; true when temp.jpg was written.
    bool Finish();

private:
    PicturePreparationView m_view;
    QString m_userFolder;
    UploadPictureComposition m_composition;
};
