// The thumbnail pages of the file manager, their cache and downloads, the paging controls and the
// list tab's preview.
#include "hostedfiles/filemanager.h"

#include "foundation/downloads.h"
#include "foundation/htmltext.h"
#include "foundation/shareddata.h"
#include "hostedfiles/thumbnailcache.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace {

// Grid columns the pages read.
enum ListColumn {
    kUploadTime = 1,
    kDescription = 2,
    kSizeText = 3,
    kAddress = 4,
    kStoredName = 6,
    kFlashFlag = 7,
    kThumbnailBytes = 11,
    kStoredNameAgain = 12,
};

// Download list columns this window uses besides the address (0) and the local file (1).
constexpr int kListCell = 5;
constexpr int kListRow = 6;

// The download list emptied: a header row and one empty row of seven columns.
Grid& ResetDownloadList() {
    Grid& list = frmDB::grdT[0];
    list.setRows(2);
    list.setCols(7);
    list.clear();
    return list;
}

// The largest first index the go-to command passes on (the old runtime's Integer).
constexpr int kMaxFirstIndex = 32767;

}  // namespace

int PageOfRow(int firstIndex) {
    const int whole = int(std::floor(double(firstIndex) / kCellsPerPage));
    return firstIndex % kCellsPerPage > 0 ? whole + 1 : whole;
}

int PageCount(int files) { return files / kCellsPerPage + (files % kCellsPerPage > 0 ? 1 : 0); }

QString FileManagerController::CellAddress(int k) const {
    const FileCell& cell = Cell(k);
    return HostedFileAddress(cell.labURL, m_openAlbum, cell.labFileName);
}

QString FileManagerController::ListAddress(int row) const {
    return HostedFileAddress(ListCell(row, kAddress), m_openAlbum, ListCell(row, kStoredName));
}

const FileCell& FileManagerController::Cell(int k) const {
    static const FileCell none;
    return k >= 0 && k < kCellsPerPage ? m_cells[k] : none;
}

QString FileManagerController::ListCell(int row, int col) const {
    if (row < 1 || row > m_rows.size()) return QString();
    return m_rows[row - 1].value(col);
}

int FileManagerController::FileCount() const {
    if (m_rows.isEmpty() || !m_rows.last().value(kUploadTime).isEmpty()) return int(m_rows.size());
    for (int r = 1; r <= m_rows.size(); ++r)
        if (ListCell(r, kUploadTime).isEmpty()) return r - 1;
    return int(m_rows.size());
}

void FileManagerController::FillCellFromRow(int k, int row, const QImage& picture) {
    if (k < 0 || k >= kCellsPerPage) return;
    CALL_REQUIRED_HOOK(view.fillCell, k, ListCell(row, kDescription), picture);
    m_cells[k] = FileCell{true, ListCell(row, kUploadTime), ListCell(row, kStoredNameAgain), ListCell(row, kAddress),
                          ListCell(row, kSizeText)};
}

void FileManagerController::RunDownloadPass() {
    const Grid& list = frmDB::grdT[0];
    // The album folders exist since the tree was built; one made meanwhile (or a name the tree
    // could not use) gets its folder here rather than failing the pass.
    for (int r = 1; r < list.rows(); ++r) QDir().mkpath(QFileInfo(list.value(r, 1)).path());
    CALL_REQUIRED_HOOK(view.showLoadInfo, true);
    DownloadProgress* bar = AskRequiredHook(view.loadProgress);
    try {
        if (bar) {
            bar->setValue(bar->maximum() / 10);
            bar->refresh();
            DownloadGridFiles(*bar, 90);
        }
    } catch (const VbError&) {
        CALL_REQUIRED_HOOK(view.showLoadInfo, false);
        throw;
    }
    CALL_REQUIRED_HOOK(view.showLoadInfo, false);
}

void FileManagerController::ShowFilePage(int firstIndex) {
    // Each step runs on past a failure, shown with its own description until the download pass
    // has run, silently after it.
    bool passRan = false;
    const auto step = [&passRan](const std::function<void()>& work) {
        try {
            work();
        } catch (const VbError& e) {
            if (!passRan) MsgBox(e.description(), vbInformation, QStringLiteral("意外错误提示"));
        }
    };

    HideAllHints();
    for (int k = 0; k < kCellsPerPage; ++k) {
        CALL_REQUIRED_HOOK(view.clearCell, k);
        m_cells[k].shown = false;
    }
    Grid& list = ResetDownloadList();

    const int n = FileCount();
    m_page = PageOfRow(firstIndex);
    m_pages = PageCount(n);
    CALL_REQUIRED_HOOK(view.setPageLine, m_page, m_pages);

    if (m_pages < 2) {
        m_links = PagingLinks{};
        CALL_REQUIRED_HOOK(view.hideHintBox, 2);
        m_hintInBox[2] = 0;
    } else {
        m_links = PagingLinks{true, true, true, true, true};
        if (m_page == 1) {
            m_links.pageUp = m_links.goTop = false;
        } else if (m_page == m_pages) {
            m_links.pageDown = m_links.goEnd = false;
        }
    }
    CALL_REQUIRED_HOOK(view.setPagingLinks, m_links);
    if (HintInBox(2) == 0 && m_pages > 1 && m_links.pageDown) ShowHint(15);
    CALL_REQUIRED_HOOK(view.fillPageCombo, m_pages, QString::number(m_page));

    const int first = (m_page - 1) * kCellsPerPage + 1;
    const int last = n < first + kCellsPerPage ? n : first + kCellsPerPage - 1;
    int k = 0;
    for (int i = qMax(1, first); i <= last && !ListCell(i, kUploadTime).isEmpty(); ++i, ++k) {
        step([&] {
            const QString cacheFile = PageThumbnailPath(m_openAlbum, ListCell(i, kStoredName));
            const bool flash = ListCell(i, kFlashFlag) == QLatin1String("1");
            if (!flash && ThumbnailWanted(cacheFile, ListCell(i, kThumbnailBytes))) {
                if (!list.value(1, 0).isEmpty()) list.setRows(list.rows() + 1);
                const int r = list.rows() - 1;
                list.set(r, 0, PageThumbnailAddress(ListCell(i, kAddress), m_openAlbum, ListCell(i, kStoredName)));
                list.set(r, 1, cacheFile);
                list.set(r, kListCell, QString::number(k));
                list.set(r, kListRow, QString::number(i));
                return;
            }
            FillCellFromRow(k, i, flash ? FlashPicture() : LoadPictureFile(cacheFile));
        });
    }

    if (!list.value(1, 0).isEmpty()) {
        step([&] { RunDownloadPass(); });
        passRan = true;
        for (int r = 1; r < list.rows(); ++r) {
            step([&] {
                const QString cacheFile = list.value(r, 1);
                const QImage picture = QFileInfo::exists(cacheFile) ? LoadPictureFile(cacheFile) : QImage();
                FillCellFromRow(list.value(r, kListCell).toInt(), list.value(r, kListRow).toInt(), picture);
            });
        }
    }

    if (!AskRequiredHook(view.listTabShown)) CALL_REQUIRED_HOOK(view.scrollToTop);
    ShowHint(14);
    if (m_insertShown) ShowHint(16);
}

void FileManagerController::labGoTop_Click() { ShowFilePage(1); }

void FileManagerController::labPageUp_Click() { ShowFilePage((m_page - 2) * kCellsPerPage + 1); }

void FileManagerController::labPageDown_Click() { ShowFilePage(m_page * kCellsPerPage + 1); }

void FileManagerController::labGoEnd_Click() {
    const int m = ListRows() - 1;
    ShowFilePage(m % kCellsPerPage != 0 ? m - m % kCellsPerPage + 1 : m - (kCellsPerPage - 1));
}

void FileManagerController::cmdGotoPage_Click(const QString& pageText) {
    const QString text = vb::Trim(pageText);
    if (!vb::IsNumeric(text)) return;
    const double number = vb::Val(text);
    // Pages below 1, and numbers whose first row the old Integer could not hold, go nowhere.
    if (!(number >= 1) || number > kMaxFirstIndex) return;
    const qint64 firstIndex = vb::RoundHalfEven(number - 1) * kCellsPerPage + 1;
    if (firstIndex > kMaxFirstIndex) return;
    ShowFilePage(int(firstIndex));
}

void FileManagerController::grdFile_Click() {
    const int row = AskRequiredHook(view.currentListRow);
    if (ListCell(row, kUploadTime).isEmpty()) {
        CALL_REQUIRED_HOOK(view.setGridMemo, QString());
        CALL_REQUIRED_HOOK(view.setGridPicture, QImage());
        CALL_REQUIRED_HOOK(view.showGridButtons, false, false);
        return;
    }
    CALL_REQUIRED_HOOK(view.setGridMemo, ListCell(row, kDescription));
    CALL_REQUIRED_HOOK(view.setGridPicture, QImage());
    const QString preview = PreviewThumbnailPath(m_openAlbum, ListCell(row, kStoredName));
    if (ThumbnailWanted(preview, ListCell(row, kThumbnailBytes))) {
        Grid& list = ResetDownloadList();
        list.set(1, 0, PreviewThumbnailAddress(ListCell(row, kAddress), m_openAlbum, ListCell(row, kStoredName)));
        list.set(1, 1, preview);
        // A preview that cannot be had leaves the picture empty, without a message.
        try {
            RunDownloadPass();
        } catch (const VbError&) {
        }
    }
    if (QFileInfo::exists(preview)) CALL_REQUIRED_HOOK(view.setGridPicture, LoadPictureFile(preview));
    CALL_REQUIRED_HOOK(view.showGridButtons, true, m_insertShown);
}
