#pragma once
// The work of the publish dialog frm更新网站, apart from its window: upload the pictures the open
// cell or preface editor left in PendingPictures, write the edited cell into SiteSettings and
// publish the site. DialogState becomes 99 after an upload and after a publish that the site took
// (what the main window goes by); the editor goes by the publish's outcome.
#include "site/publishsite.h"

#include <QString>
#include <QStringList>

// The whole work of the dialog's one timer tick: the uploads, one message for them, the publish.
// Gives the publish's outcome: the editor counts its edit as applied only when the site took it
// (DialogState alone also says 99 after an upload whose publish was then refused).
PublishOutcome RunPublishDialogWork();

// Uploads PendingPictures row 0 (background) and then row 1 (foreground) where their flag is
// "1"; on success records the album's new stamp, sets DialogState to 99, clears the editor's flag
// and writes the picture's rows. Returns the collected message text ("" when nothing to say).
QString UploadPendingPictures();

// The message for a failed upload of the background or the foreground, by the reply.
QString UploadFailureText(const QString& reply, bool foreground);

// Records the new stamp of the album an upload went into: in the cached album list and F01.dat
// while the list was read in this run and holds the album; otherwise in LoginInfo field 7, and
// the file manager is closed, so both are read afresh when next needed.
void RecordUploadedPictureStamp(const QString& stamp, const QString& album);

// The edited cell's rows R to R+7 in the LocalColumn and the PublishColumn, and the open editor's
// picture flags, as they stand before the dialog's uploads.
struct CellApplyStart {
    QStringList local, publish;
    QString cellBackground, cellForeground, prefaceBackground;
};
CellApplyStart TakeCellApplyStart();

// Writes the edited cell into the LocalColumn and the PublishColumn and publishes the site (the
// cell apply), rolling the cell back when the service refuses. Given where the dialog started, a
// refusal also takes the whole apply back: the cell's local rows and the editor's flags (a retry
// uploads its pictures again) and, except after "Error_0006", its published rows, so the editor's
// reset and a reopened editor find the cell as last applied.
PublishOutcome PublishCellSettings(const CellApplyStart* start = nullptr);
