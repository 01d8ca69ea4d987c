// ResetAllState brings every subsystem's module state and every labels struct back to its initial
// values, and no registered reset is left out of this table.
#include "foundation/cipher.h"
#include "foundation/shareddata.h"
#include "platform/programend.h"
#include "platform/statereset.h"
#include "state/albumsstate.h"
#include "state/celleditorstate.h"
#include "state/celleditorwindowlabels.h"
#include "state/imagingstate.h"
#include "state/loginstate.h"
#include "state/loginwindowlabels.h"
#include "state/prefaceeditorwindowlabels.h"
#include "state/singlefileuploadlabels.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "state/sizeduploadwindowlabels.h"
#include "state/uploadwindowlabels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// One variable: how to change it, how to read it as text, and the text of its initial value.
struct Piece {
    const char* name;
    StateReset reset;
    std::function<void()> change;
    std::function<QString()> read;
    QString initial;
};

Piece text(const char* name, StateReset reset, QString& v, const QString& initial) {
    return {name, reset, [&v] { v = QStringLiteral("changed"); }, [&v] { return v; }, initial};
}
Piece flag(const char* name, StateReset reset, bool& v, bool initial) {
    auto show = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
    return {name, reset, [&v, initial] { v = !initial; }, [&v, show] { return show(v); }, show(initial)};
}
Piece number(const char* name, StateReset reset, qint16& v, qint16 initial) {
    return {name, reset, [&v] { v = 99; }, [&v] { return QString::number(v); }, QString::number(initial)};
}

// "RxC" and the filled cells, so a changed size or a left-over value both show.
QString describe(const Table& t) {
    QString out = QStringLiteral("%1x%2").arg(t.rows()).arg(t.cols());
    for (int r = 0; r < t.rows(); ++r)
        for (int c = 0; c < t.cols(); ++c)
            if (!t.value(r, c).isEmpty()) out += QStringLiteral(" %1,%2=%3").arg(r).arg(c).arg(t.value(r, c));
    return out;
}
Piece table(const char* name, StateReset reset, Table& v, const QString& initial) {
    return {name, reset,
            [&v] {
                v = Table(2, 3);
                v.set(1, 2, QStringLiteral("changed"));
            },
            [&v] { return describe(v); }, initial};
}
template <std::size_t N>
Piece grids(const char* name, std::array<Grid, N>& v) {
    return {name, &SharedData::Unload,
            [&v] {
                v[0].setCols(7);
                v[N - 1].addItem({QStringLiteral("changed")});
            },
            [&v] {
                QStringList all;
                for (const Grid& g : v) all.append(describe(g));
                return all.join(QLatin1Char('|'));
            },
            QStringList(N, QStringLiteral("2x2")).join(QLatin1Char('|'))};
}

std::vector<Piece> everyPiece() {
    using W = SiteWindowLabels;
    using C = CellEditorWindowLabels;
    using P = PrefaceEditorWindowLabels;
    using U = UploadWindowLabels;
    using S = SizedUploadWindowLabels;
    using L = LoginWindowLabels;
    using R = SingleFileUploadLabels;
    const StateReset w = &W::resetLabels, c = &C::resetLabels, p = &P::resetLabels, u = &U::resetLabels,
                     s = &S::resetLabels, l = &L::resetLabels, r = &R::resetLabels, db = &SharedData::Unload;
    return {
        flag("SmallScreen", &ResetMemberState, SmallScreen, false),
        text("CurrentUserName", &ResetMemberState, CurrentUserName, QString()),
        text("UserServerPrefix", &ResetMemberState, UserServerPrefix, QString()),
        text("UserFolder", &ResetMemberState, UserFolder, QString()),
        table("LoginInfo", &ResetMemberState, LoginInfo, QStringLiteral("0x0")),
        table("SysNotices", &ResetMemberState, SysNotices, QStringLiteral("0x0")),
        text("ClientVersion", &ResetMemberState, ClientVersion, QStringLiteral("2.0")),
        text("DataFileKey", &ResetMemberState, DataFileKey, QString::fromLatin1(kDataFileKeyText)),
        text("PageUrl", &ResetMemberState, PageUrl, QString()),

        {"SiteSettings", &ResetSiteState, [] { SiteSettings.create(); },
         [] { return SiteSettings.created() ? QStringLiteral("created") : QStringLiteral("none"); }, QStringLiteral("none")},
        {"CellRecord", &ResetSiteState, [] { CellRecord = QStringList{QStringLiteral("changed")}; },
         [] { return CellRecord.join(QLatin1Char('|')); }, QString()},
        number("DialogState", &ResetSiteState, DialogState, 0),
        number("EditorKind", &ResetSiteState, EditorKind, 0),
        number("PreviewOnly", &ResetSiteState, PreviewOnly, 0),
        text("LayerCss", &ResetSiteState, LayerCss, QString()),

        number("CropTargetMode", &ResetImagingState, CropTargetMode, 0),
        table("AlbumList", &ResetAlbumState, AlbumList, QStringLiteral("1x1 0,0=null")),
        table("HomeAlbums", &ResetAlbumState, HomeAlbums, QStringLiteral("1x1 0,0=null")),
        table("AlbumFiles", &ResetAlbumState, AlbumFiles, QStringLiteral("1x1 0,0=null")),

        table("PendingPictures", &ResetCellEditorState, PendingPictures, QStringLiteral("0x0")),

        grids("frmDB.grdDB", SharedData::grdDB),
        grids("frmDB.grdT", SharedData::grdT),
        text("frmDB.labBlogRow", db, SharedData::labBlogRow, QStringLiteral("1")),
        text("frmDB.labBlogDate", db, SharedData::labBlogDate, QString()),
        text("frmDB.labBlogTitle", db, SharedData::labBlogTitle, QString()),
        text("frmDB.labBlogType", db, SharedData::labBlogType, QString()),

        text("labUploadJM", w, W::labUploadJM, QStringLiteral("0")),
        text("labDownDirFlag", w, W::labDownDirFlag, QStringLiteral("0")),
        text("labMBURL", w, W::labMBURL, QString()),
        text("labZipPicPath", w, W::labZipPicPath, QString()),
        text("labUploadWatermarkBorder", w, W::labUploadWatermarkBorder, QStringLiteral("0")),
        text("labRotation", w, W::labRotation, QStringLiteral("0")),
        text("labZipPicWidth", w, W::labZipPicWidth, QString()),
        text("labZipPicHeight", w, W::labZipPicHeight, QString()),
        text("labWidth", w, W::labWidth, QStringLiteral("100")),
        text("labHeight", w, W::labHeight, QStringLiteral("100")),
        text("labAddWatermark", w, W::labAddWatermark, QStringLiteral("0")),
        text("labCutPicPath", w, W::labCutPicPath, QString()),
        text("labCutFileName", w, W::labCutFileName, QString()),
        text("labUPloadType", w, W::labUPloadType, QStringLiteral("0")),
        text("labViewType", w, W::labViewType, QStringLiteral("1")),
        text("labFileSN", w, W::labFileSN, QString()),
        text("labSaveHomeAlbum", w, W::labSaveHomeAlbum, QStringLiteral("0")),
        flag("txtDomainNameVisible", w, W::txtDomainNameVisible, true),

        text("celleditor.labBJFlag", c, C::labBJFlag, QStringLiteral("0")),
        text("celleditor.labQJFlag", c, C::labQJFlag, QStringLiteral("0")),
        text("celleditor.labXZFlag", c, C::labXZFlag, QString()),
        text("celleditor.labXZPic", c, C::labXZPic, QString()),
        text("celleditor.labURLFlag", c, C::labURLFlag, QString()),
        text("celleditor.labSCURL", c, C::labSCURL, QString()),
        flag("celleditor.picSetQJVisible", c, C::picSetQJVisible, true),

        text("preface.labBJFlag", p, P::labBJFlag, QStringLiteral("0")),
        text("preface.labURLFlag", p, P::labURLFlag, QString()),
        text("preface.labSCURL", p, P::labSCURL, QString()),

        text("upload.labWebDir", u, U::labWebDir, QString()),
        text("upload.labDirInfo", u, U::labDirInfo, QStringLiteral("上传文件到[]")),
        flag("upload.picAlbumVisible", u, U::picAlbumVisible, true),
        text("upload.labUploadToAlbum", u, U::labUploadToAlbum, QStringLiteral("上传到相册[]")),
        flag("upload.labUploadToAlbumVisible", u, U::labUploadToAlbumVisible, false),
        text("upload.cobAlbumText", u, U::cobAlbumText, QString()),

        text("sized.labWebDir", s, S::labWebDir, QString()),
        text("sized.labDirInfo", s, S::labDirInfo, QStringLiteral("上传文件到[]")),
        text("sized.labUploadToAlbum", s, S::labUploadToAlbum, QStringLiteral("上传到相册[]")),
        text("sized.labUploadInfo", s, S::labUploadInfo, QString()),

        text("replace.labIndex", r, R::labIndex, QStringLiteral("0")),
        text("replace.labWebDir", r, R::labWebDir, QString()),
        text("replace.labFileName", r, R::labFileName, QString()),
        text("replace.labWebPath", r, R::labWebPath, QString()),

        text("login.labSavePaw", l, L::labSavePaw, QString()),
        text("login.labSysInfoURL", l, L::labSysInfoURL, QString()),

        {"programend.Ended", &programend::Reset,
         [] {
             programend::SetHandler([] {});  // observe End instead of stopping the test program
             programend::End();
             programend::SetHandler({});
         },
         [] { return programend::Ended() ? QStringLiteral("ended") : QStringLiteral("running"); },
         QStringLiteral("running")},
    };
}

TEST(ModuleState, ResetAllStateRestoresEveryInitialValue) {
    const std::vector<Piece> pieces = everyPiece();
    for (const Piece& piece : pieces) {
        piece.change();
        EXPECT_NE(piece.read().toStdString(), piece.initial.toStdString()) << piece.name << ": the change changed nothing";
    }
    ResetAllState();
    for (const Piece& piece : pieces) EXPECT_EQ(piece.read().toStdString(), piece.initial.toStdString()) << piece.name;
}

TEST(ModuleState, EachPieceComesBackThroughItsOwnReset) {
    // The reset named in the table restores the piece by itself: windows that reset their own
    // labels on opening, and tests that reset one struct, rely on it.
    for (const Piece& piece : everyPiece()) {
        piece.change();
        piece.reset();
        EXPECT_EQ(piece.read().toStdString(), piece.initial.toStdString()) << piece.name;
    }
    ResetAllState();
}

TEST(ModuleState, EveryRegisteredResetIsInTheTable) {
    const std::vector<Piece> pieces = everyPiece();
    const std::vector<StateReset>& registered = RegisteredStateResets();
    for (std::size_t i = 0; i < registered.size(); ++i)
        EXPECT_TRUE(std::any_of(pieces.begin(), pieces.end(), [&](const Piece& p) { return p.reset == registered[i]; }))
            << "registered reset #" << i << " restores state this table does not check";
    for (const Piece& piece : pieces)
        EXPECT_TRUE(std::find(registered.begin(), registered.end(), piece.reset) != registered.end())
            << piece.name << ": its reset is not registered";
}

}  // namespace
