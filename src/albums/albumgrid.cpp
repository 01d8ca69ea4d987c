#include "albums/albumgrid.h"

#include "foundation/table.h"
#include "state/albumsstate.h"

namespace {
bool IsSystemAlbum(const QString& name) { return name.left(3).toLower() == QLatin1String("www"); }

QStringList HeaderTexts() {
    QStringList texts;
    for (QString part : AlbumGrid::kFormat.split(QLatin1Char('|'))) {
        if (!part.isEmpty() && QStringLiteral("<^>").contains(part.front())) part.remove(0, 1);
        texts << part;
    }
    return texts;
}

QStringList EmptyRow() { return QStringList(AlbumGrid::kCols, QString()); }
}  // namespace

const QString AlbumGrid::kFormat =
    QStringLiteral("|^移入相册框|<相   册   名   称  |^创 建 时 间      |^上传照片|^删 除   ");
const QString AlbumGrid::kMoveInMark = QStringLiteral("<- 移入");

void AlbumGrid::clear() { m_rows = {HeaderTexts(), EmptyRow()}; }

void AlbumGrid::load(const Table& albums, const QStringList& framed) {
    clear();
    if (albums.isNull()) return;
    m_rows.resize(albums.rows() + 1, EmptyRow());
    for (int j = 1; j < rows(); ++j) {
        setText(j, NameColumn, albums.value(j - 1, AlbumListField::Name));
        setText(j, CreatedColumn, albums.value(j - 1, AlbumListField::Created));
        if (!name(j).isEmpty()) {
            setText(j, UploadColumn, QStringLiteral("上传"));
            setText(j, DeleteColumn, QStringLiteral("删除"));
        }
    }
    for (int j = rows() - 1; j >= 1; --j)
        if (IsSystemAlbum(name(j))) removeRow(j);
    for (int j = 1; j < rows(); ++j)
        if (!name(j).isEmpty() && !framed.contains(name(j))) setText(j, MarkColumn, kMoveInMark);
}

QString AlbumGrid::text(int row, int col) const {
    if (row < 0 || row >= rows()) return QString();
    return m_rows[row].value(col);
}

void AlbumGrid::setText(int row, int col, const QString& text) {
    if (row < 0 || row >= rows() || col < 0 || col >= kCols) return;
    m_rows[row][col] = text;
}

int AlbumGrid::rowOf(const QString& album) const {
    for (int j = 1; j < rows(); ++j)
        if (name(j) == album) return j;
    return -1;
}

QStringList AlbumGrid::names() const {
    QStringList out;
    for (int j = 1; j < rows(); ++j) out << name(j);
    return out;
}

QStringList AlbumGrid::uploadChoices() const {
    QStringList out;
    for (int j = 1; j < rows(); ++j)
        if (!name(j).isEmpty() && !IsSystemAlbum(name(j))) out << name(j);
    return out;
}

void AlbumGrid::insertAlbum(const QString& name, const QString& stamp) {
    // Every row moves one lower; the header's copy in row 1 is then overwritten column by column.
    m_rows.insert(1, m_rows[0]);
    setText(1, MarkColumn, kMoveInMark);
    setText(1, NameColumn, name);
    setText(1, CreatedColumn, stamp);
    setText(1, UploadColumn, QStringLiteral("上传"));
    setText(1, DeleteColumn, QStringLiteral("删除"));
}

void AlbumGrid::removeRow(int row) {
    if (row < 1 || row >= rows()) return;
    if (rows() < 3) clear();
    else m_rows.removeAt(row);
}
