#include "foundation/downloads.h"

#include "foundation/shareddata.h"
#include "platform/httpfetch.h"
#include "platform/prompts.h"
#include "platform/safefile.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

// True when the row may be skipped: asked for, and the file is there with exactly the expected
// size (compared as text, so "0123" or " 123" never match).
bool alreadyPresent(const Grid& list, int row) {
    if (list.value(row, 3) != QLatin1String("1")) return false;
    const QFileInfo info(list.value(row, 1));
    return info.isFile() && QString::number(info.size()) == list.value(row, 2);
}

// Streams the response into a new version of the path that takes the old one's place only when
// complete. False, with the old file untouched, when the transfer broke off or the body was empty.
bool saveResponse(httpfetch::Response& response, const QString& path) {
    if (path.isEmpty()) throw VbError(VbError::PathFileAccess, QStringLiteral("路径/文件访问错误"));
    paths::SafeFileWriter out;
    // A downloaded file is a copy of what the server holds: one lost to a power cut (or left
    // short, which the callers' length checks catch) is fetched again, so the pass does not wait
    // for the disk after every file.
    out.setDurable(false);
    const auto raise = [&out, &path]() {
        switch (out.failedStep()) {
        case paths::SafeWriteStep::Open: return VbError(out.errorNumber(), QStringLiteral("路径未找到: ") + path);
        case paths::SafeWriteStep::Write:
        case paths::SafeWriteStep::Sync:
        case paths::SafeWriteStep::Close: return VbError(out.errorNumber(), QStringLiteral("磁盘已满: ") + path);
        case paths::SafeWriteStep::Rename: break;
        }
        return VbError(out.errorNumber(), QStringLiteral("路径/文件访问错误: ") + path);
    };
    if (!out.open(path)) throw raise();
    char piece[httpfetch::kPieceSize];
    qint64 total = 0;
    while (true) {
        const qint64 n = response.read(piece, sizeof piece);
        if (n <= 0) break;
        if (!out.write(piece, n)) throw raise();
        total += n;
    }
    // Dropping the writer removes the unfinished version.
    if (response.failed() || total == 0) return false;
    if (!out.commit()) throw raise();
    return true;
}

}  // namespace

bool DownloadGridFiles(DownloadProgress& bar, int percent) {
    Grid& list = frmDB::grdT[0];
    const double start = double(vb::RoundHalfEven(bar.value()));
    double target = double(vb::RoundHalfEven(bar.maximum() * percent / 100.0));
    if (target < start) target = start + 1;
    bar.setVisible(true);
    bar.refresh();

    std::unique_ptr<httpfetch::Session> session = httpfetch::OpenSession();
    if (!session) {
        bar.setValue(target);
        return false;
    }
    const int n = list.rows() - 1;
    for (int i = 1; i <= n; ++i) {
        if (!alreadyPresent(list, i)) {
            bool fetched = false;
            if (std::unique_ptr<httpfetch::Response> response = session->open(list.value(i, 0)))
                fetched = saveResponse(*response, list.value(i, 1));
            list.set(i, 4, fetched ? QStringLiteral("1") : QStringLiteral("0"));
        }
        const double v = start + (target - start) * i / n;
        if (bar.maximum() >= v) {
            bar.setValue(v);
            bar.refresh();
        }
    }
    session.reset();
    if (percent == 100) bar.setVisible(false);

    bool result = false;
    for (int i = 1; i <= n; ++i)
        if (!list.value(i, 1).isEmpty()) result = IsDownloadedFileValid(list.value(i, 1));
    return result;
}

bool IsDownloadedFileValid(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        MsgBox(f.errorString(), vbInformation, QStringLiteral("错误提示"));
        return false;
    }
    // The file is read as lines and joined, so line breaks never separate the letters of the tag.
    QByteArray text = f.readAll();
    text.replace('\r', QByteArray()).replace('\n', QByteArray());
    return !text.toUpper().contains("<HTML>");
}
