#pragma once
// Module state of the site model: the site's settings table and the values that the page
// generators and the editor dialogs share. Data only; the procedures are in site/sitemodel.h and
// site/modCreateHtmlFiles.h.
#include "platform/statereset.h"
#include "platform/vberror.h"

#include <QList>
#include <QString>
#include <QStringList>

// The four columns of SiteSettings.
inline constexpr int LocalColumn = 0;      // what the local pages are built from and editors start from
inline constexpr int PublishColumn = 1;    // what the publish step sends (picture rows hold service URLs)
inline constexpr int PublishedColumn = 2;  // what the service last accepted
inline constexpr int TemplateColumn = 3;   // the template chosen in the template chooser

// The member's whole site: 4 columns by 333 rows of strings, addressed (column, row) as readers
// write it: SiteSettings(LocalColumn, 301). The empty string means "not set". The table does not
// exist before the login creates it; addressing it then, or outside its bounds, raises
// "subscript out of range" (VbError 9) as the old runtime did.
class SiteSettingsTable {
public:
    static constexpr int Columns = 4;
    static constexpr int Rows = 333;

    // Creates the table (again) with every value empty.
    void create() { m_values = QList<QString>(Columns * Rows); }
    // Back to "not created".
    void destroy() { m_values.clear(); }
    bool created() const { return !m_values.isEmpty(); }

    QString& operator()(int column, int row) { return m_values[checkedIndex(column, row)]; }
    const QString& operator()(int column, int row) const { return m_values[checkedIndex(column, row)]; }
    // The value, or the empty text outside the table or before it exists.
    QString value(int column, int row) const {
        return inBounds(column, row) ? m_values[index(column, row)] : QString();
    }

    // Rows 0 to 332 of one column.
    QStringList column(int column) const {
        QStringList out;
        out.reserve(Rows);
        for (int r = 0; r < Rows; ++r) out.append((*this)(column, r));
        return out;
    }
    // Every row of column `to` := its value in column `from`.
    void copyColumn(int from, int to) {
        for (int r = 0; r < Rows; ++r) (*this)(to, r) = (*this)(from, r);
    }

private:
    bool inBounds(int column, int row) const {
        return created() && column >= 0 && column < Columns && row >= 0 && row < Rows;
    }
    static int index(int column, int row) { return column * Rows + row; }
    int checkedIndex(int column, int row) const {
        if (!inBounds(column, row))
            throw VbError(VbError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
        return index(column, row);
    }
    QList<QString> m_values;
};

inline SiteSettingsTable SiteSettings;

// The parameter record of the open editor dialog; its opener erases it and sizes it (14 entries
// for the cell and preface editors, 5 for the colour dialog, 15 for the music editor).
inline QStringList CellRecord;
// Result flag of the modal dialogs: the opener sets 0 (or 1, see the editors), the dialog sets 99
// when it changed something.
inline qint16 DialogState;
// 1 while the preface editor (cell 10) is the open cell editor, 0 for the cell editor.
inline qint16 EditorKind;
// -1 (true) while the template chooser previews a template: the generators then write no page
// file and change nothing in SiteSettings. 0 otherwise.
inline qint16 PreviewOnly;
// The CSS rules of the cells' positioned text layers, CR-separated, collected while the
// whole-site page is built.
inline QString LayerCss;

// The initial values: the state before any login (no site table yet).
inline void ResetSiteState() {
    SiteSettings.destroy();
    CellRecord.clear();
    DialogState = 0;
    EditorKind = 0;
    PreviewOnly = 0;
    LayerCss.clear();
}
inline const bool siteStateRegistered = RegisterStateReset(&ResetSiteState);
