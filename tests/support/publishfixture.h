#pragma once
// The demo member of the emulator logged in with the site the service holds, the domain box
// hidden (a domain is registered), and the editors' labels at their design values: what the
// publish step and the publish dialog start from.
#ifdef TAVOLIN_HAVE_EMULATOR

#include "support/emulatorfixture.h"

#include <QString>
#include <QStringList>

namespace emu {
struct Member;
}

namespace testsupport {

class PublishTest : public EmulatorTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The demo member's record in the emulator.
    emu::Member& member();
    // The member's published site as the service serves it ("" when none).
    QString servedSite();
    // The main window's edit command for a cell: CellRecord from the LocalColumn, EditorKind,
    // DialogState 0, an empty PendingPictures and the editor's labels at their design values.
    void openEditor(int cell);
    // A small picture file in the member's temp folder; returns its path.
    QString pictureFile(const QString& name);
    // Marks row 0 (background) or 1 (foreground) of PendingPictures as the cell editor's apply does.
    void pendPicture(int row, const QString& localFile);
    // Points the service configuration at a port where nothing listens.
    void stopService();
    // The UploadWebsite2 calls received, and one settings field of a call.
    QList<EmulatorCall> publishCalls() { return emulator().calls(QStringLiteral("UploadWebsite2")); }
    static QString settingsField(const EmulatorCall& call, int row);

    emu::DemoMember demo;
    int netErrors = 0;
    int fileManagerUnloads = 0;
};

}  // namespace testsupport

#endif  // TAVOLIN_HAVE_EMULATOR
