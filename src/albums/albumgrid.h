#pragma once
// The album grid of the album settings window without its widget: rows as the grid shows them,
// row 0 the header and the albums from row 1, six columns (0 fixed and empty, 1 the move-in mark,
// 2 the name, 3 the creation time, 4 "上传", 5 "删除"). A grid without albums holds the header and
// one empty row.
#include <QList>
#include <QString>
#include <QStringList>

class Table;

class AlbumGrid {
public:
    // The header texts and alignments, blanks included.
    static const QString kFormat;
    static const QString kMoveInMark;  // column 1 while the album is not in the home-page frame
    static constexpr int kCols = 6;
    enum Column { MarkColumn = 1, NameColumn = 2, CreatedColumn = 3, UploadColumn = 4, DeleteColumn = 5 };

    AlbumGrid() { clear(); }

    // The header and one empty row.
    void clear();
    // One row per album of the list in its order, system albums ("www" in any case) left out;
    // the mark on every album that none of the frame's slots names.
    void load(const Table& albums, const QStringList& framed);

    // Rows with the header, as the old grid counts them.
    int rows() const { return int(m_rows.size()); }
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    QString name(int row) const { return text(row, NameColumn); }
    // The first row from 1 whose name is the album; -1 when none.
    int rowOf(const QString& album) const;
    // The names of rows 1 to last, as they stand (the empty row's included).
    QStringList names() const;
    // The names the upload window offers: the rows' names that are not empty and not a system
    // album's, in grid order.
    QStringList uploadChoices() const;

    // A new album in row 1, every other row one lower: marked, its name, the stamp as its
    // creation time, "上传" and "删除".
    void insertAlbum(const QString& name, const QString& stamp);
    // Removes a row; a grid of fewer than 3 rows is cleared instead (header and one empty row).
    void removeRow(int row);

    bool operator==(const AlbumGrid& o) const = default;

private:
    QList<QStringList> m_rows;
};
