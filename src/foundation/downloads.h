#pragma once
// Fetching the files of the download list (frmDB::grdT[0]) over HTTP, with a progress bar.
#include <QString>

// What the download needs of the caller's progress bar (the widget form: foundation/ui/progressbarprogress.h). Values are real numbers, as the bar's
// steps per row are.
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;
    virtual double value() const = 0;
    virtual double maximum() const = 0;
    virtual void setValue(double v) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void refresh() = 0;
};

// Fetches every row of the download list after its header: column 0 the address, 1 the local
// path, 2 the expected size, 3 "1" to skip a file already there with that size; column 4 gets "1"
// (fetched, not empty) or "0" (not fetched: the address cannot be opened, an HTTP error, a broken
// transfer or an empty body; an existing file is then left as it was). Each file is streamed
// through paths::SafeFileWriter, so it replaces the old one only when complete (not synced to
// disk: a download can be made again). The bar moves
// from its value to percent of its maximum in equal steps per row and is hidden at the end when
// percent is 100. Returns IsDownloadedFileValid of the last row naming a local file (false when
// none does or no HTTP session can be made). A local file that cannot be written raises a
// VbError.
bool DownloadGridFiles(DownloadProgress& bar, int percent);

// True when the file exists and its text holds no "<HTML>" in any letter case. A read error is
// shown to the member and gives false.
bool IsDownloadedFileValid(const QString& path);
