#include "foundation/shareddata.h"

void Grid::addItem(const QStringList& fields) {
    const int r = rows();
    setRows(r + 1);
    for (int c = 0; c < cols() && c < fields.size(); ++c) (*this)(r, c) = fields.at(c);
}

void SharedData::Unload() {
    grdDB.fill(Grid());
    grdT.fill(Grid());
    labBlogRow = QStringLiteral("1");
    labBlogDate.clear();
    labBlogTitle.clear();
    labBlogType.clear();
}
