#pragma once
// The upload run of both upload windows apart from their widgets: the slots sent one after
// another, each prepared by its case (sent as it is, through the picture composer, or refused
// for its size), the reply of each shown in its status cell and counted, the album caches kept
// current, the result line, the next group of a folder, and the retry of one slot. The run is
// synchronous: each call waits in the SOAP client's local loop, which paints and runs timers but
// takes no input, so the per-slot progress shows while nothing can be clicked.
#include "albums/uploadslots.h"

#include <QString>

#include <functional>

// The run's panel picWait with its lines and buttons, and the upload button.
struct UploadRunPanel {
    bool visible = false;
    bool running = false;  // yellow with the busy picture while sending; green once it ended
    QString labUploadNow;
    QString labUploadFinish;
    bool cmdUploadOKVisible = false;
    bool cmdUploadAgainVisible = false;
    bool cmdUploadNextPageVisible = false;
    int slotsDone = 0;  // the bar of slots done
    int slotsTotal = 0;
    bool cmdUploadFilesEnabled = true;
    QString uploadPicture = QStringLiteral("upload1");  // the upload button's image-list key
    QString focus;  // the control that takes the focus: "cobAlbum", "cmdSearch0", "cmdUploadAgain"…
};

// Sends one file and gives the reply; the progress callback hears the bytes sent of the total.
using UploadSender = std::function<QString(const QString& path, const QString& album, const QString& description,
                                           const std::function<void(qint64, qint64)>& progress)>;

struct UploadRunView {
    // Required: picWait, the upload button and the focus drawn from the panel.
    std::function<void()> showPanel;
    // Required: the screenshot warning frm上传截屏提示, modal (it tests its own setting).
    std::function<void()> showScreenshotWarning;
    // Required: the picture composer frm图像压缩, modal, on the main window's labels.
    std::function<void()> prepare;
    // Required: cheWatermarkAndBorder is ticked.
    std::function<bool()> watermarkTicked;
    // Album window, required there: the text of cobAlbum.
    std::function<QString()> chooserText;
    // Album window, required there: hint 29 in hint box 2.
    std::function<void()> showAlbumHint;
    // Optional: the sender; UploadPictureFile into the album when unset.
    UploadSender send;

    UploadVariant variant = UploadVariant::Album;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("showPanel", bool(showPanel));
        f("showScreenshotWarning", bool(showScreenshotWarning));
        f("prepare", bool(prepare));
        f("watermarkTicked", bool(watermarkTicked));
        if (variant == UploadVariant::Album) {
            f("chooserText", bool(chooserText));
            f("showAlbumHint", bool(showAlbumHint));
        }
    }
};

namespace uploadrun {
inline const QString kSending = QStringLiteral("            正在上传...");
inline const QString kSent = QStringLiteral("            上传成功!");
inline const QString kRetryCaption = QStringLiteral("重新上传");
QString TooLargeText();
QString NoAlbumMessage();
QString ResultLine(int successes, int failures);
QString FolderTitle();
QString NoFilesMessage();
QString FolderGroupsMessage(int files, int groups);
// The status text of a reply, and whether the slot's button then offers a retry.
struct ReplyOutcome {
    bool success = false;
    QString status;
    bool retry = false;
};
ReplyOutcome OutcomeOf(const QString& reply);
// The stamp "1900-01-01 01:01:01" a retry leaves in LoginInfo field 7.
inline const QString kRetryStamp = QStringLiteral("1900-01-01 01:01:01");
}  // namespace uploadrun

class UploadRunController {
public:
    explicit UploadRunController(UploadSlotsController& frame) : m_slots(frame) { view.variant = frame.variant(); }

    UploadRunView view;
    UploadRunPanel panel;

    // The upload button: a run while the slots are being filled, else a new batch.
    void cmdUploadFiles_Click();
    // A slot's button: "取 消" clears the slot, any other caption sends it again.
    void cmdOperation_Click(int index);
    void cmdUploadAgain_Click();
    void cmdUploadOK_Click();
    // The album window's folder upload: the folder dialog, its pictures in groups of ten.
    void ChooseUploadFolder();
    // Loads group g into the slots and checks them; a group past the last does nothing.
    void LoadUploadGroup(int g);
    void cmdUploadNextPage_Click();

    // A run or a retry is sending: the window refuses to close.
    bool running() const { return m_running; }
    // The picWait panel hidden (a new batch).
    void HidePanel();

private:
    enum class Case { Watermark = 1, Direct = 2, Convert = 3, TooLarge = 4 };
    void run();
    void newBatch();
    void beginSending();
    // The result line, the buttons of the report and the upload button back.
    void finishSending(int successes, int failures, bool nextGroup);
    // Sends slot i by its case; true on success. retry: the single-slot retry's success rules.
    bool sendSlot(int i, bool retry);
    QString slotFile(int i) const;
    Case caseOf(int i, const QString& file) const;
    void recordStamp(const QString& stamp);
    void showPanel();
    QString& labWebDir() const;

    UploadSlotsController& m_slots;
    bool m_running = false;
};
