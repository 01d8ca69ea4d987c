#pragma once
// The single-file replacement window frm上传单个文件 apart from its window: choosing a local file
// of the hosted file's format, the quarter turns of its preview, the watermark option, and the
// upload that replaces the hosted file under its name and address, with the album caches and the
// local thumbnail that follow. The window reaches it through SingleFileUploadView.
#include "imaging/previewlayout.h"

#include <QString>

#include <functional>

// ---- opening

// The file manager's replace command, before it shows the window: labIndex the cell (0 to 14)
// or "15" for the list tab, labWebDir the open album, labFileName the stored name without its
// last four characters, labWebPath the file's address.
void FillReplacementLabels(int index, const QString& album, const QString& storedName, const QString& address);

// ---- choosing the file

// The chooser's one filter for a hosted file's address: "图像文件(*.<ext>)" by the address's
// last three characters, lower-cased, matching that ending in any letter case.
QString ReplacementChooserFilter(const QString& webPath);

// What choosing a file leads to.
enum class ChosenShow { Nothing, FlashPicture, PngPicture, Preview };
struct ChosenFileVerdict {
    bool refused = false;     // the message is shown and the path emptied
    QString message;          // the refusal's message, empty when none
    QString selectInfo;       // the notice for labSelectInfo, empty to leave it as it is
    ChosenShow show = ChosenShow::Nothing;
    bool enableTurns = false;
};
// The rules for the chosen path (blanks around it removed) with chkPicZIP ticked or not: a
// missing file, and one above 500 KB unless a jpg or bmp may be fitted, are refused; a Flash or
// PNG file shows its list picture, a jpg, gif or bmp its preview; any other ending shows nothing.
ChosenFileVerdict JudgeChosenFile(const QString& path, bool picZipTicked);

// ---- preview

inline constexpr int kPreviewBoxTwips = 1500;  // picView, square
// imgView's place in picView for a picture of natural size w × h twips: at its own size up to
// 1500 twips a side, else its longer side 1500 with the proportions kept; centred.
TwipsRect PreviewFit(int widthTwips, int heightTwips);
// The quarter-turn count after one step (-1 counter-clockwise, +1 clockwise): four turns one
// way are none.
int NextTurnCount(int count, int step);

// ---- the upload

// How the chosen file goes up.
enum class UploadRoute {
    AsChosen,             // its own bytes
    PrepareWithOverlays,  // through the composer with the member's watermark and border
    PrepareFitOnly,       // through the composer, fitted and turned only
    TooLarge,             // not at all
};
// ext: the chosen path's last four characters, lower-cased; kb: its size in KB. A jpg or bmp goes
// through the composer with the watermark option, when it is turned (the turn is made there), and
// above 500 KB while chkPicZIP is ticked; any other file above 500 KB is too large.
UploadRoute DecideUploadRoute(const QString& ext, qint64 kb, bool watermark, bool picZip, int turnCount);

// Sends the file as the new bytes of the hosted file at address (UploadFile02): the service's
// reply, "文件不存在，上传失败！", "不支持此文件类型上传。", or "Error_0000" after any error.
QString UploadReplacementFile(const QString& path, const QString& album, const QString& name, const QString& address);
// The message for a reply that is not a success.
QString ReplacementFailureMessage(const QString& reply);
// Takes a success reply's table NewFile into the caches: while the main window's labDownDirFlag
// is "1" the album's new stamp into AlbumList and F01.dat, then the file's new size, thumbnail
// size and fields 7 and 8 into its AlbumFiles row (found by the address) and the album's cache
// file. A reply without NewFile, or caches without the album or file, change nothing. Raises
// VbError when a cache file cannot be written; the caches are then as they were.
void RecordReplacement(const QString& reply, const QString& album, const QString& address);
// <UserFolder>/UpLoadPicture/<album>/<name><ext>, album and file name made safe path components.
QString LocalThumbnailPath(const QString& album, const QString& name, const QString& ext);

// Scratch files in UserFolder.
inline constexpr char kTurnedPreviewFile[] = "savepic.bmp";

// ---- messages
inline const QString kReplaceDoneMessage = QStringLiteral("上传成功!");
inline const QString kUploadingCaption = QStringLiteral("正在上传，请您稍候...");
inline const QString kReplaceTooLargeNotice = QStringLiteral(
    "上传失败！文件的大小超出500K，请先用本软件的“图像编辑”功能把图像缩小并保存成小于500K的文件后再试。");

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct SingleFileUploadView {
    std::function<QString()> pathText;                     // txtPath
    std::function<void(const QString&)> setPath;           // txtPath; "" also empties its tooltip
    std::function<void(bool)> enableWindow;
    std::function<void()> doEvents;                        // lets pending window events run
    std::function<void(ChosenShow)> showListPicture;       // imgView shows "swf1" or "png1" in place
    std::function<void(const QString& path)> fitPreview;   // imgView shows the file by PreviewFit
    std::function<void()> clearPreview;                    // imgView's picture cleared
    std::function<void(bool)> enableTurns;                 // cmdLeft and cmdRight
    std::function<void(int step, bool)> enableTurnButton;  // cmdLeft (-1) or cmdRight (+1)
    // SourceDib loaded anew from the file and its preview built; false when it cannot be.
    std::function<bool(const QString& path)> loadTurnSource;
    // The preview turned by the angle drawn, saved as a BMP file and shown by PreviewFit.
    std::function<bool(float angle, const QString& bmpPath)> showTurned;
    std::function<void(const QString&)> setSelectInfo;     // labSelectInfo
    std::function<bool()> watermarkTicked;                 // cheWatermarkAndBorder
    std::function<bool()> picZipTicked;                    // chkPicZIP
    // chkPicZIP's lock: ticked, picPicZip disabled and imgLock shown with the first caption, or
    // unlocked with the second.
    std::function<void(bool locked, const QString& caption)> lockPicZip;
    std::function<void()> openWatermarkSettings;           // frm水印设置
    std::function<void()> showScreenshotWarning;           // frm上传截屏提示
    std::function<void(bool)> enableSearch;                // cmdSearch
    std::function<void(bool)> enableUpload;                // cmdUploadFiles
    // picWait with labUploadFinish's caption, shown and painted at once, or hidden.
    std::function<void(bool shown, const QString& caption)> showWait;
    std::function<void(const QString&)> setUploadNow;      // labUploadNow
    std::function<void()> runComposer;                     // frm图像压缩, modal
    // The file shown by PreviewFit, painted, grabbed from the window into a BMP file, read back
    // and written as a JPEG file at quality 95; false when any step fails.
    std::function<bool(const QString& path, const QString& bmpPath, const QString& jpegPath)> renderThumbnail;
    // The file manager's cell picture (index 0 to 14) or list preview (15) shows the thumbnail.
    std::function<void(int index, const QString& thumbnail)> showInFileManager;
    std::function<void()> clearTurnPreview;                // picPreview's picture cleared
    std::function<void()> closeWindow;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("pathText", bool(pathText));
        f("setPath", bool(setPath));
        f("enableWindow", bool(enableWindow));
        f("doEvents", bool(doEvents));
        f("showListPicture", bool(showListPicture));
        f("fitPreview", bool(fitPreview));
        f("clearPreview", bool(clearPreview));
        f("enableTurns", bool(enableTurns));
        f("enableTurnButton", bool(enableTurnButton));
        f("loadTurnSource", bool(loadTurnSource));
        f("showTurned", bool(showTurned));
        f("setSelectInfo", bool(setSelectInfo));
        f("watermarkTicked", bool(watermarkTicked));
        f("picZipTicked", bool(picZipTicked));
        f("lockPicZip", bool(lockPicZip));
        f("openWatermarkSettings", bool(openWatermarkSettings));
        f("showScreenshotWarning", bool(showScreenshotWarning));
        f("enableSearch", bool(enableSearch));
        f("enableUpload", bool(enableUpload));
        f("showWait", bool(showWait));
        f("setUploadNow", bool(setUploadNow));
        f("runComposer", bool(runComposer));
        f("renderThumbnail", bool(renderThumbnail));
        f("showInFileManager", bool(showInFileManager));
        f("clearTurnPreview", bool(clearTurnPreview));
        f("closeWindow", bool(closeWindow));
    }
};

class SingleFileUploadController {
public:
    SingleFileUploadView view;
    int TurnCount = 0;     // quarter turns of the chosen picture, positive clockwise
    float TurnAngle = 0;   // the angle last given to the turned preview

    void Form_Load() { TurnCount = 0; }
    void cmdSearch_Click();
    // cmdLeft (-1) and cmdRight (+1).
    void Turn(int step);
    void cheWatermarkAndBorder_Click(bool ticked);
    void cmdSetWaterMark_Click();
    void cmdReSelect_Click();
    void cmdUploadFiles_Click();
    // The local thumbnail of the file sent, rebuilt and shown in the file manager; false for a
    // file that is no jpg, bmp or gif and after any failure.
    bool RefreshLocalThumbnail(const QString& path);

private:
    void chooseFile();
};
