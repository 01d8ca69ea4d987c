#pragma once
// The hidden data form: string grids and labels shared between windows for the whole run. It has
// no window; its members exist from the start and keep their values until Unload() (at exit, and
// between tests). Nothing in it is saved.
#include "foundation/table.h"
#include "platform/statereset.h"

#include <QString>
#include <QStringList>

#include <array>

// One grid of the form: a string table whose row and column counts callers set and read. Setting
// a count keeps the cells that stay inside; cell access outside raises subscript out of range.
class Grid : public Table {
public:
    Grid() : Table(2, 2) {}  // a header row and one row, two columns, all empty
    void setRows(int rows) { resize(rows, cols()); }
    void setCols(int cols) { resize(rows(), cols); }
    // Empties every cell and keeps the counts.
    void clear() { *this = Grid(rows(), cols()); }
    // Appends one row holding the fields (extra fields are dropped, missing ones left empty).
    void addItem(const QStringList& fields);

private:
    Grid(int rows, int cols) : Table(rows, cols) {}
};

struct SharedData {
    // 24 general tables. Used: 13 the home-page protection record (11 columns once read in this
    // run; fewer means not read yet); 8 the resource-address table and 10 its date-and-host row,
    // which nothing fills.
    static inline std::array<Grid, 24> grdDB;
    // grdT[0] is the download list (address, local path, expected size, skip flag, result, two
    // columns for the caller); the others are unused.
    static inline std::array<Grid, 4> grdT;
    // The post opened for editing, passed from the blog list to the blog writer. A non-empty
    // labBlogType makes the writer open in edit mode.
    static inline QString labBlogRow;
    static inline QString labBlogDate;
    static inline QString labBlogTitle;
    static inline QString labBlogType;

    // Discards every table and label: back to the state of a fresh run (the initial values,
    // registered below).
    static void Unload();
};
inline const bool sharedDataRegistered = RegisterStateReset(&SharedData::Unload);
using frmDB = SharedData;  // the hidden data form
