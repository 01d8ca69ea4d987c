#include "hostedfiles/filemanager.h"

#include "albums/loadalbumlist.h"
#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "site/modCreateHtmlFiles.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"

#include <QDir>

std::vector<AlbumTreeNode> AlbumTreeNodes(const Table& albums) {
    std::vector<AlbumTreeNode> nodes{{QString(), kSysBootKey, QStringLiteral("系统相册")},
                                     {QString(), kMyBootKey, QStringLiteral("我创建的相册")}};
    bool anySystem = false, anyOwn = false;
    if (!albums.isNull()) {
        for (int k = 0; k < albums.rows(); ++k) {
            const QString name = albums.value(k, 0);
            const bool system = name.left(3).toLower() == QLatin1String("www");
            (system ? anySystem : anyOwn) = true;
            nodes.push_back({system ? kSysBootKey : kMyBootKey, QStringLiteral("ML") + QString::number(k), name});
        }
    }
    if (!anyOwn) nodes.push_back({kMyBootKey, kNoMyAlbumKey, QStringLiteral("(无)")});
    if (!anySystem) nodes.push_back({kSysBootKey, kNoSysAlbumKey, QStringLiteral("(无)")});
    return nodes;
}

QString AlbumThumbnailFolder(const QString& album) {
    return MemberPath({QStringLiteral("UpLoadPicture"), album});
}

QList<QStringList> FileListRows(const Table& files) {
    if (files.isNull() || files.isEmpty()) return {QStringList(kFileListColumns, QString())};
    // Grid column c (from 1) takes this FileInfo field; column 8 stays empty.
    static constexpr int kFieldOfColumn[kFileListColumns] = {-1, 3, 1, 2, 0, 6, 9, 5, -1, 7, 8, 4, 9};
    QList<QStringList> rows;
    rows.reserve(files.rows());
    for (int r = 0; r < files.rows(); ++r) {
        QStringList row;
        for (int c = 0; c < kFileListColumns; ++c)
            row << (kFieldOfColumn[c] < 0 ? QString() : files.value(r, kFieldOfColumn[c]));
        row[3] += QStringLiteral("KB");
        rows << row;
    }
    return rows;
}

QString FileManagerAdAddress(const QDate& today) {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
           QStringLiteral("/pwtd/") + WeeklyFolderName(today) + QStringLiteral("/picmanage.html") + AdvertisementPageQuery();
}

const FileManagerHint& FileManagerHintFor(int setting) {
    static const FileManagerHint hints[] = {
        {13, 1, 2025, 1905,
         QStringLiteral("提示：请您先在左边选择一个需要管理的相册，若无可管理的相册则您可到主界面的17区点击“17.相册管理”来创建新的相册。")},
        {14, 2, 8160, 1875,
         QStringLiteral("提示：您若想删除图片文件，可先选择要删除的文件(用鼠标点图片左下角的小方框[打勾])，然后再点击此处的“删除选定的文件”按钮。")},
        {15, 2, 2040, 1875,
         QStringLiteral("提示：当前文件夹的文件较多，将分成多页来显示(每页最多显示15个)，您可点击此处的“下一页”查看更多的图片。注：图片是按上传的时间排序，最后上传的排在最前面。")},
        {16, 0, 510, 2145,
         QStringLiteral("提示：您只需要点击图片下方的“插入”按钮便可完成把图片插入到相关编辑界面的操作。")},
    };
    const int i = qBound(13, setting, 16) - 13;
    return hints[i];
}

FileManagerController::FileManagerController() : loadFileList(&LoadAlbumFileList) {}

void FileManagerController::Form_Load(const QDate& today) {
    SelectAllArmed = -1;
    FilesPerPage = 15;
    LoadAlbumTree();
    m_insertShown = frm个人网站Labels::labViewType != QLatin1String("0");
    if (!m_insertShown) CALL_REQUIRED_HOOK(view.hideInsertButtons);
    // Hint 13 keeps the check box as it stands: only the later hints clear it.
    if (GetUserSetting(13) != QLatin1String("1")) {
        const FileManagerHint& h = FileManagerHintFor(13);
        CALL_REQUIRED_HOOK(view.setMsgSN, QStringLiteral("13"));
        CALL_REQUIRED_HOOK(view.showHintBox, h.box, h.text, h.left, h.top);
        m_hintInBox[h.box] = 13;
    }
    CALL_REQUIRED_HOOK(view.navigateAd, FileManagerAdAddress(today));
}

void FileManagerController::LoadAlbumTree() {
    CALL_REQUIRED_HOOK(view.clearTree);
    for (const AlbumTreeNode& node : AlbumTreeNodes(AlbumList)) {
        CALL_REQUIRED_HOOK(view.addTreeNode, node);
        if (!node.key.startsWith(QLatin1String("ML"))) continue;
        // One level: the thumbnail root exists since login. A name that can be no folder gets the
        // folder of its safe spelling, where the thumbnail cache puts that album's thumbnails.
        const QString folder = AlbumThumbnailFolder(node.text);
        if (!QFileInfo::exists(folder)) QDir().mkdir(folder);
    }
}

void FileManagerController::tvwDir_NodeClick(const QString& key, const QString& text) {
    if (key == kMyBootKey || key == kSysBootKey || key == kNoMyAlbumKey || key == kNoSysAlbumKey) return;
    // A second click on the open album does not reload it; the first album click always opens.
    if (m_albumOpened && text == m_openAlbum) return;
    m_albumOpened = true;
    m_openAlbum = text;
    CALL_REQUIRED_HOOK(view.setAlbumName, text);
    CALL_REQUIRED_HOOK(view.showNetToService, true);
    // An album whose list cannot be had and has no cache shows no file, not the previous album's.
    AlbumFiles = Table::null();
    if (loadFileList) loadFileList(text);
    CALL_REQUIRED_HOOK(view.showNetToService, false);
    FillFileList();
    ShowFilePage(1);
    if (AskRequiredHook(view.listTabShown)) {
        CALL_REQUIRED_HOOK(view.selectFirstListRow);
        grdFile_Click();
    }
}

void FileManagerController::FillFileList() {
    m_rows = FileListRows(AlbumFiles);
    CALL_REQUIRED_HOOK(view.fillFileList, m_rows);
}

void FileManagerController::tabFile_Click(int tab) {
    if (tab != 1) return;
    CALL_REQUIRED_HOOK(view.selectFirstListRow);
    grdFile_Click();
}

void FileManagerController::ShowHint(int setting) {
    if (GetUserSetting(setting) == QLatin1String("1")) return;
    const FileManagerHint& h = FileManagerHintFor(setting);
    if (setting != 13) CALL_REQUIRED_HOOK(view.clearHintTick, h.box);
    CALL_REQUIRED_HOOK(view.showHintBox, h.box, h.text, h.left, h.top);
    CALL_REQUIRED_HOOK(view.setMsgSN, QString::number(setting));
    m_hintInBox[h.box] = setting;
}

void FileManagerController::HideAllHints() {
    for (int box = 0; box < 3; ++box) {
        CALL_REQUIRED_HOOK(view.hideHintBox, box);
        m_hintInBox[box] = 0;
    }
}

void FileManagerController::CloseHintBox(int box) {
    const int shown = HintInBox(box);
    // The box's own hint is turned off, not the one labMsgSN names, which another box may have set.
    REQUIRE_HOOK(view.hintTicked);
    if (shown != 0 && view.hintTicked && view.hintTicked(box)) SetUserSetting(shown, QStringLiteral("1"));
    CALL_REQUIRED_HOOK(view.hideHintBox, box);
    if (box >= 0 && box < 3) m_hintInBox[box] = 0;
    if (shown == 14 && AskRequiredHook(view.pageDownVisible)) ShowHint(15);
}

void FileManagerController::optYT_Click() { CALL_REQUIRED_HOOK(view.setInfoBackColour, kInfoColourOriginal); }

void FileManagerController::optSLT_Click() {
    CALL_REQUIRED_HOOK(view.setInfoBackColour, kInfoColourThumbnail);
    MsgBox(QStringLiteral("提示：操作对象为“缩略图”是指在插入或复制网址及代码的图像的大小为缩略图的大小。"), vbInformation,
           QStringLiteral("提示"));
}

void FileManagerController::HideInfoBox() { CALL_REQUIRED_HOOK(view.hideInfoBox); }
