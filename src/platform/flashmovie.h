#pragma once
// The Flash control stand-in's model: the movies it can play and the playback clock. Two kinds of
// movie: our own tutorial descriptor (a small UTF-8 text of scenes over slide pictures) and a real
// SWF file, of which only the header is read (rate and frame count) to play a neutral placeholder.
// Anything else is no movie. The widget that draws them is platform/ui/flashcontrol.h.
#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// One frame range of a tutorial descriptor: a slide picture, the rectangle to highlight on it (in
// the slide's pixels) and the caption shown beside it.
struct FlashScene {
    int firstFrame = 0;
    int lastFrame = 0;
    QString slide;  // file name beside the descriptor
    QRect highlight;
    QString caption;
};

struct FlashMovie {
    enum class Kind { Tutorial, Swf };
    Kind kind = Kind::Tutorial;
    int totalFrames = 0;  // at least 1
    double rate = 12;     // frames per second, above 0
    QList<FlashScene> scenes;  // tutorial only
    QString folder;            // where the slides are, for a movie read from a file

    // The scene that shows the frame, or null.
    const FlashScene* sceneAt(int frame) const;
};

// The descriptor's first line.
inline constexpr char kTutorialMarker[] = "TAVOLIN-TUTORIAL 1";

// Reads a descriptor or an SWF header; nullopt for anything else, a broken header or a malformed
// descriptor. Never hangs or crashes, whatever the bytes.
std::optional<FlashMovie> ReadFlashMovie(const QByteArray& bytes);
// The movie in the file (the descriptor's slides are looked up beside it); nullopt when the file is
// missing, unreadable or no movie.
std::optional<FlashMovie> LoadFlashMovie(const QString& path);
// The text of a descriptor; ReadFlashMovie reads it back as the same movie.
QByteArray WriteTutorialDescriptor(const FlashMovie& movie);

// What the control does with its movie: the frame it shows, advancing at the movie's rate from a
// clock read while playing. The clock (milliseconds, monotonic) is injectable so tests move time by
// hand. Without a movie the frame number is -1 and the play operations do nothing.
class FlashPlayback {
public:
    using Clock = std::function<qint64()>;
    explicit FlashPlayback(Clock clock = {});

    // Loads the movie at the full path: it plays from frame 0 by itself (the control's design
    // state); a file that is no movie leaves the control without one.
    void setMovie(const QString& path);
    QString Movie() const { return moviePath; }
    // The movie itself, for drawing; null without one.
    const FlashMovie* movie() const { return loaded ? &*loaded : nullptr; }
    // Loop on (design state): playing wraps to frame 0; off: playing stops on the last frame.
    void setLoop(bool on);
    bool Loop() const { return loop; }

    int FrameNum() const;
    // Shows the frame (kept within the movie); playing goes on from it, a stopped movie stays.
    void setFrameNum(int frame) { GotoFrame(frame); }
    // The movie's frame count; 0 without a movie.
    int TotalFrames() const { return loaded ? loaded->totalFrames : 0; }
    // Plays from the current frame.
    void Play();
    void StopPlay();
    void GotoFrame(int frame);
    bool IsPlaying() const;

    // Called after every change the control must show (optional).
    std::function<void()> onChange;

private:
    qint64 now() const;
    void changed() const;

    Clock clock;
    QString moviePath;
    std::optional<FlashMovie> loaded;
    bool loop = true;
    bool playing = false;
    int anchorFrame = -1;   // the frame shown at anchorTime
    qint64 anchorTime = 0;
};
