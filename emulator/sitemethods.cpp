// The domain test, the protection of the home page and the album list.
#include "emulator/servicelogic.h"

#include "albums/albumname.h"
#include "foundation/folders.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"

#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

namespace emu {

QString EscapedTable(const QList<QStringList>& rows, const QString& name) {
    QString out;
    for (const QStringList& row : rows) {
        for (const QString& f : row) out += f + QStringLiteral("{/F}");
        out += QStringLiteral("{//R}");
    }
    return out + name + QStringLiteral("{///T}");
}

StoredFileFigures FileFigures(const QString& path, const StoredFile& f) {
    const bool flash = f.name.endsWith(QLatin1String(".swf"), Qt::CaseInsensitive);
    // Read by content: a replacement may have put a JPEG under a ".bmp" name.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QSize size(0, 0);
    if (!flash) {
        size = reader.size();
        if (!size.isValid()) size = reader.read().size().expandedTo(QSize(0, 0));
    }
    const QString thumb = flash ? QString() : ThumbnailPath(path);
    return {QString::number(qMax<qint64>(0, vb::RoundHalfEven(double(f.size) / 1024 - 1))),
            QString::number(thumb.isEmpty() ? 0 : QFileInfo(thumb).size()), QString::number(size.width()),
            QString::number(size.height())};
}

namespace {

// Words the service keeps for itself: a label containing one is refused as a keyword.
const QStringList& SystemKeywords() {
    static const QStringList words{QStringLiteral("admin"),   QStringLiteral("system"), QStringLiteral("service"),
                                   QStringLiteral("webmaster"), QStringLiteral("orbel"), QStringLiteral("tavolin"),
                                   QStringLiteral("vym")};
    return words;
}

constexpr int kMaxLabelLength = 30;
// A domain needs at least 100M of hosted space.
constexpr qint64 kDomainQuotaKb = 100 * 1024;
constexpr int kHomeAlbumSlots = 15;

}  // namespace

namespace {

// Why a label cannot be had, whoever asks: 1 a word the service keeps, 2 against the rules,
// 3 taken; 0 when it is free.
int LabelRefusal(const QString& label, const MemberStore& store) {
    for (const QString& word : SystemKeywords())
        if (label.contains(word)) return 1;
    if (label.size() > kMaxLabelLength || !CheckDomainName(label).isEmpty()) return 2;
    if (store.findByDomain(label)) return 3;
    return 0;
}

}  // namespace

QString ServiceLogic::TestDomain(const QStringList& a) {
    static const QString replies[] = {QStringLiteral("OK_0001"), QStringLiteral("Error_0001"),
                                      QStringLiteral("Error_0002"), QStringLiteral("Error_0003")};
    return replies[LabelRefusal(vb::Trim(a.value(0)).toLower(), m_store)];
}

QString ServiceLogic::RegDomainNameV2(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0020");
    // A label, once registered, is the member's for good.
    if (!m->domain.isEmpty()) return QStringLiteral("Error_0011");
    const QString label = vb::Trim(a.value(3)).toLower();
    static const QString refusals[] = {QString(), QStringLiteral("Error_0006"), QStringLiteral("Error_0007"),
                                       QStringLiteral("Error_0008")};
    if (const int refusal = LabelRefusal(label, m_store)) return refusals[refusal];
    if (!m->hasSpace) return QStringLiteral("Error_0009");
    if (m->quotaKb < kDomainQuotaKb) return QStringLiteral("Error_0010");
    m->domain = label;
    try {
        m_store.save(*m);
    } catch (const VbError&) {
        m->domain.clear();
        return QStringLiteral("Error_0020");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::WebsiteEncryptionInfo(const QStringList& a) {
    const Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    // Always one row: the state, the domain, the key, the question and the answer.
    const QStringList record{m->protectionKey.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"),
                             m->domain,
                             m->protectionKey,
                             m->protectionQuestion,
                             m->protectionAnswer,
                             QString(),
                             QString()};
    return QStringLiteral("{OK_0001}") + EscapedTable({record}, QStringLiteral("EncryptionInfo"));
}

QString ServiceLogic::WebsiteEncryption(const QStringList& a) {
    if (a.size() < 12) return QStringLiteral("Error_0001");
    // The key travels in page addresses: eight lower-case hexadecimal digits, nothing else.
    static const QRegularExpression keyForm(QStringLiteral("^[0-9a-f]{8}$"));
    const QString question = vb::Trim(a[10]);
    const QString answer = vb::Trim(a[11]);
    if (!keyForm.match(a[6]).hasMatch() || question.isEmpty() || answer.isEmpty()) return QStringLiteral("Error_0004");
    return publishSite(a, [&](Member& m) {
        m.protectionKey = a[6];
        m.protectionQuestion = question;
        m.protectionAnswer = answer;
    });
}

QString ServiceLogic::WebsiteNotEncryption(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    // The question and answer stay on record for the next switch-on; the key alone ends it.
    const QString oldKey = m->protectionKey;
    m->protectionKey.clear();
    try {
        m_store.save(*m);
    } catch (const VbError&) {
        m->protectionKey = oldKey;
        return QStringLiteral("Error_0002");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::GetDirInfo(const QStringList& a) {
    const Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    QList<QStringList> albums;
    for (const Album& album : m->albums) {
        qint64 bytes = 0;
        for (const StoredFile& f : album.files) bytes += f.size;
        albums.append({album.name, QString::number(album.files.size()), album.created,
                       QString::number((bytes + 1023) / 1024), QString(), QString(), album.stamp});
    }
    QStringList frame = m->homeAlbums.mid(0, kHomeAlbumSlots);
    while (frame.size() < kHomeAlbumSlots) frame.append(QString());
    return QStringLiteral("OK_0001_") + EscapedTable(albums, QStringLiteral("DirInfo")) +
           EscapedTable({frame}, QStringLiteral("HomeAlbum"));
}

QString ServiceLogic::GetDirFileInfo(const QStringList& a) {
    const Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const Album* album = m->album(a.value(3));
    if (!album) return QStringLiteral("Error_0002");
    QList<QStringList> rows;
    // Latest upload first; the stored order is the upload order.
    for (qsizetype i = album->files.size() - 1; i >= 0; --i) {
        const StoredFile& f = album->files[i];
        const bool flash = f.name.endsWith(QLatin1String(".swf"), Qt::CaseInsensitive);
        const StoredFileFigures figures = FileFigures(m_store.filePath(*m, album->name, f.name), f);
        rows.append({HostedFileAddress(*m, album->name, f.name), f.description, figures.kb, f.uploaded,
                     figures.thumbnailBytes, flash ? QStringLiteral("1") : QStringLiteral("0"), QString::number(i + 1),
                     figures.width, figures.height, f.name});
    }
    return QStringLiteral("OK_0001_") + EscapedTable(rows, QStringLiteral("FileInfo"));
}

namespace {
// A name the member may give an album: one safe path component, not the root album, not one of
// the widgets' own albums and not the text that marks an empty table.
bool IsOwnAlbumName(const QString& name) {
    return paths::IsSafeComponent(name) && name != QStringLiteral("根目录") &&
           name.left(3).toLower() != QLatin1String("www") && name.toLower() != QLatin1String("null");
}
// A name a new album may take: the program's length rule too (a longer name may not fit a file
// name at all) and no control character.
bool IsNewAlbumName(const QString& name) {
    return IsOwnAlbumName(name) && IsStorableName(name) && AnsiCodec::byteLength(name) <= kAlbumNameMaxBytes;
}
}  // namespace

QString ServiceLogic::BuildAlbumDir(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const QString name = a.value(3);
    if (!IsNewAlbumName(name)) return QStringLiteral("Error_0002");
    if (m->album(name)) return QStringLiteral("Error_0004");
    // The new album's stamp is its creation time, its files' stamp and the list's new stamp.
    const QString stamp = m_store.newStamp();
    try {
        m_store.createAlbum(*m, name, stamp);
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001_") + stamp;
}

QString ServiceLogic::DelFile(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    if (!m->album(a.value(3))) return QStringLiteral("Error_0002");
    // "a.jpg:b.gif:": each name followed by a colon.
    const QStringList names = a.value(4).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const QString stamp = m_store.newStamp();
    try {
        m_store.removeFiles(*m, a.value(3), names, stamp);
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001_") + stamp;
}

QString ServiceLogic::EditPicMemo(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const Album* album = m->album(a.value(3));
    if (!album || !album->file(a.value(4))) return QStringLiteral("Error_0002");
    // The album's stamp stays: the program keeps its cached list and edits the row itself.
    try {
        m_store.describeFile(*m, a.value(3), a.value(4), a.value(5));
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::DelDir(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    const QString name = a.value(3);
    if (!IsOwnAlbumName(name) || !m->album(name)) return QStringLiteral("Error_0002");
    // The frame first: a slot naming an album that is gone would stay in it for good.
    const QStringList frameBefore = m->homeAlbums;
    for (QString& slot : m->homeAlbums)
        if (slot == name) slot.clear();
    try {
        if (m->homeAlbums != frameBefore) m_store.save(*m);
        m_store.removeAlbum(*m, name, m_store.newStamp());
    } catch (const VbError&) {
        if (m->homeAlbums != frameBefore) {
            m->homeAlbums = frameBefore;
            try {
                m_store.save(*m);
            } catch (const VbError&) {
            }
        }
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::SetHomeAlbum(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    // The slots as sent, gaps included; each names one of the member's albums or nothing.
    const QStringList frame = a.mid(3, kHomeAlbumSlots);
    if (frame.size() != kHomeAlbumSlots) return QStringLiteral("Error_0002");
    for (const QString& slot : frame)
        if (!slot.isEmpty() && !m->album(slot)) return QStringLiteral("Error_0002");
    const QStringList before = m->homeAlbums;
    m->homeAlbums = frame;
    try {
        m_store.save(*m);
    } catch (const VbError&) {
        m->homeAlbums = before;
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::HostedFileAddress(const Member& m, const QString& album, const QString& file) const {
    const QString host = QString(m.prefix).toLower().replace(QStringLiteral("www"), QStringLiteral("img")) +
                         QLatin1Char('.') + m_domain;
    return QStringLiteral("http://") + host + QStringLiteral("/space/") + m.folder + QLatin1Char('/') + album +
           QLatin1Char('/') + file;
}

}  // namespace emu
