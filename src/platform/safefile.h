#pragma once
// Replacing a file so that the old one stays whole until the new one is complete. Every local data
// file, whether written at once or streamed in pieces, goes through this one writer.
#include <QByteArray>
#include <QString>

namespace paths {

// The steps of a safe write, as a failure names them.
enum class SafeWriteStep { Open, Write, Sync, Close, Rename };

// Streams a new version of a file into a temporary file of a unique name ("<name>.XXXXXX") in the
// target's folder, so no stored file, not even one named "<name>.tmp", is ever taken for it.
// commit() syncs the temporary to disk and renames it over the target in one step. Every step is
// checked; on any failure, on abort() and on destruction before a commit the temporary is removed
// and the target stays as it was. Writes go straight to the kernel: there is no buffer of ours to
// flush, and the sync puts them on the disk.
class SafeFileWriter {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary beside the target. False when it cannot (a missing or unwritable
    // folder); an earlier uncommitted version is dropped first.
    bool open(const QString& target);
    // Appends to the new version. False, with the temporary removed, when the bytes cannot all
    // be written (or nothing is open).
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Syncs, closes and renames the temporary over the target. False, with the temporary removed
    // and the old file untouched, when any of these fails (or nothing is open).
    bool commit();
    // Drops the new version: the temporary goes, the target stays as it was.
    void abort();
    // Off: commit() renames without syncing first. Still never a half-written target, but after a
    // power cut the file may come back empty or short; for copies that can be fetched again.
    void setDurable(bool durable) { m_durable = durable; }

    bool isOpen() const { return m_fd >= 0; }
    const QString& target() const { return m_target; }
    // The temporary's path while open; empty otherwise.
    QString temporaryPath() const;
    // After a false: the step that failed, errno of it, and the runtime's error number for it
    // (76 path not found for Open, 61 disk full for Write, Sync and Close, 75 path/file access
    // error for Rename).
    SafeWriteStep failedStep() const { return m_failedStep; }
    int osError() const { return m_osError; }
    int errorNumber() const;

private:
    bool fail(SafeWriteStep step, int osError);
    bool injectedFault(SafeWriteStep step) const;

    QString m_target;
    QByteArray m_temporary;  // as the file system names it, for unlink and rename
    int m_fd = -1;
    bool m_durable = true;
    SafeWriteStep m_failedStep = SafeWriteStep::Open;
    int m_osError = 0;
};

// The two writes that cannot replace a whole file. Each writes all the bytes and returns 0, or the
// errno of the step that failed (ENOSPC for a write that wrote nothing) with that step in *step.
// AppendToFile: appends to the file (created when missing) and syncs the data; the bytes of a
// failed append are cut off again, so the next append does not join them.
int AppendToFile(const QString& path, const QByteArray& bytes, SafeWriteStep* step = nullptr);
// WriteFreshPrivateFile: writes a file of a fixed name in a folder others may share: whatever stands
// at that name (a file, a link) is removed, never followed, and the new file is the owner's alone.
int WriteFreshPrivateFile(const QString& path, const QByteArray& bytes, SafeWriteStep* step = nullptr);

// Removes the temporaries that interrupted safe writes (a killed program) left in folder and, when
// recursive, in the folders below it: regular files named "<name>.XXXXXX" (six ASCII letters or
// digits) beside a regular file <name>, or beside a file whose long name the writer cut <name>
// from. Symbolic links are neither removed nor followed; nothing else is touched. Only while no
// write can be under way (the single-instance lock held, at start). Returns how many went.
int RemoveSafeWriteLeftovers(const QString& folder, bool recursive);

// Test seam: while one lives, every safe write to `target` fails at `step` with EIO, exactly as
// when the file system refuses that step, so tests reach the failure paths even as root, where
// no folder is unwritable. One at a time; it ends with its scope.
class SafeWriteFault {
public:
    SafeWriteFault(const QString& target, SafeWriteStep step);
    ~SafeWriteFault();
    SafeWriteFault(const SafeWriteFault&) = delete;
    SafeWriteFault& operator=(const SafeWriteFault&) = delete;
};

}  // namespace paths
