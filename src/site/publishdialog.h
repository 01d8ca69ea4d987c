#pragma once
// The work of the publish dialog frm更新网站, apart from its window: upload the pictures the open
// cell or preface editor left in PendingPictures, write the edited cell into SiteSettings and
// publish the site. The editor learns the outcome from DialogState (99: the edit counts as
// applied).
#include "site/publishsite.h"

#include <QString>

// The whole work of the dialog's one timer tick: the uploads, one message for them, the publish.
void RunPublishDialogWork();

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

// Writes the edited cell into the LocalColumn and the PublishColumn and publishes the site (the
// cell apply), rolling the cell back when the service refuses.
PublishOutcome PublishCellSettings();
