// Ticking thumbnail cells and deleting the ticked files from the open album.
#include "hostedfiles/filemanager.h"

#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"

#include <QFileInfo>

namespace {

constexpr int kAddressColumn = 4;

// The album's files without those at the addresses; the "null" table when none is left.
Table WithoutFiles(const Table& files, const QStringList& addresses) {
    if (files.isNull()) return files;
    QList<int> kept;
    for (int r = 0; r < files.rows(); ++r)
        if (!addresses.contains(files.value(r, 0))) kept << r;
    if (kept.isEmpty()) return Table::null();
    Table out(int(kept.size()), files.cols());
    for (int i = 0; i < kept.size(); ++i)
        for (int c = 0; c < files.cols(); ++c) out.set(i, c, files.value(kept[i], c));
    return out;
}

}  // namespace

void FileManagerController::SetSelectAll(bool ticked) {
    if (AskRequiredHook(view.selectAllTicked) == ticked) return;
    CALL_REQUIRED_HOOK(view.setSelectAll, ticked);
    // Setting a box in code ran its click handler in the old runtime; Qt's clicked does not fire.
    cheSelectAll_Click();
}

void FileManagerController::cheSelect_Click(int k) {
    REQUIRE_HOOK(view.cellTicked);
    if (!view.cellTicked) return;
    if (!view.cellTicked(k)) {
        SelectAllArmed = 0;
        SetSelectAll(false);
        SelectAllArmed = -1;
    }
    bool all = true;
    for (int i = 0; i < kCellsPerPage && all; ++i) all = view.cellTicked(i);
    if (all) {
        SelectAllArmed = 0;
        SetSelectAll(true);
        SelectAllArmed = -1;
    }
}

void FileManagerController::cheSelectAll_Click() {
    if (SelectAllArmed != -1) return;
    const bool ticked = AskRequiredHook(view.selectAllTicked);
    REQUIRE_HOOK(view.cellTicked);
    for (int k = 0; k < kCellsPerPage; ++k) {
        if (!m_cells[k].shown || !view.cellTicked || view.cellTicked(k) == ticked) continue;
        CALL_REQUIRED_HOOK(view.setCellTicked, k, ticked);
        // As above: the cell's own handler ran when its box was set.
        cheSelect_Click(k);
    }
}

void FileManagerController::cmdDelSelectFiles_Click() {
    REQUIRE_HOOK(view.cellTicked);
    if (!view.cellTicked) return;
    QList<int> chosen;
    QString names;
    for (int k = 0; k < kCellsPerPage; ++k) {
        if (!view.cellTicked(k) || !m_cells[k].shown) continue;
        chosen << k;
        names += m_cells[k].labFileName + QLatin1Char(':');
    }
    if (chosen.isEmpty()) {
        MsgBox(QStringLiteral("请先择要删除的文件。"), vbInformation, QStringLiteral("提示"));
        return;
    }
    const QString question = QStringLiteral("您真的确定要删除选定的这") + QString::number(chosen.size()) +
                             QStringLiteral("个文件吗？\r\r注意：一旦删除将是无法恢复的哦！");
    if (MsgBox(question, vbOKCancel | vbQuestion, QStringLiteral("提示")) != vbOK) return;

    const QString album = m_openAlbum;
    QString reply;
    CALL_REQUIRED_HOOK(view.showNetToService, true);
    try {
        reply = ServiceCall(QStringLiteral("imgser001"), QStringLiteral("DelFile"),
                            {CurrentUserName, LoginField(5), LoginField(6), album, names});
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(view.showNetToService, false);
        ReportServiceError(e);
        return;
    }
    CALL_REQUIRED_HOOK(view.showNetToService, false);
    if (!ReplyStartsWith(reply, kOK_0001Stamp)) {
        MsgBox(QStringLiteral("遇到错误：无法返回服务器的操作结果，请您稍后再试。"), vbInformation, QStringLiteral("提示"));
        return;
    }
    const QString stamp = QString(reply).remove(kOK_0001Stamp);

    // Only the cells that took part: a deleted cell stays ticked but hidden, with its labels
    // emptied, and must not match the empty address of a cleared grid at the next deletion.
    QStringList deleted;
    for (int k : chosen) {
        const QString address = m_cells[k].labURL;
        deleted << address;
        for (int r = int(m_rows.size()); r >= 1; --r) {
            if (ListCell(r, kAddressColumn) != address) continue;
            if (ListRows() < 3) {
                m_rows = FileListRows(Table::null());
                CALL_REQUIRED_HOOK(view.fillFileList, m_rows);
            } else {
                m_rows.removeAt(r - 1);
                CALL_REQUIRED_HOOK(view.removeListRow, r);
            }
        }
        CALL_REQUIRED_HOOK(view.hideCell, k);
        m_cells[k] = FileCell{};
    }

    // The album's list in memory and its cache lose the deleted files, so that a later rebuild of
    // the grid from them (a description edit, a replacement) does not bring them back. The cache
    // keeps its old stamp, so the next opening still reads the service; a cache that cannot be
    // rewritten is read again then anyway.
    AlbumFiles = WithoutFiles(AlbumFiles, deleted);
    const QString listFile = AlbumFileListPath(album);
    if (!listFile.isEmpty() && QFileInfo::exists(listFile)) {
        try {
            WriteTableFile(AlbumFiles, listFile, QStringLiteral("FileInfo"));
        } catch (const VbError&) {
        }
    }
    try {
        RecordAlbumStamp(album, stamp);
    } catch (const VbError& e) {
        ReportServiceError(e);
        return;
    }

    SetSelectAll(false);
    // The page is drawn again from the shortened list, so the remaining files close up (and the
    // next page's first ones move in) instead of leaving holes; a last page emptied shows the one
    // before it.
    const int page = qBound(1, m_page, qMax(1, PageCount(FileCount())));
    ShowFilePage((page - 1) * kCellsPerPage + 1);
    MsgBox(QStringLiteral("删除成功！"), vbInformation, QStringLiteral("提示"));
}
