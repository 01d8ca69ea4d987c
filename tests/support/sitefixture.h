#pragma once
// A logged-in member with an empty site: the settings table created, the temp folder present,
// LoginInfo's service keys set and the service hosts pinned, so generated pages can be compared
// byte for byte with golden files.
#include "support/fixtures.h"

#include <QByteArray>
#include <QString>

namespace testsupport {

// Sets one row of the cell's settings block in the column.
void putCell(int column, int cell, int offset, const QString& value);

class SiteTest : public DataRootTest {
protected:
    void SetUp() override;

    static constexpr const char* kMember = "zhang";
    // The member's generated page, as bytes.
    QByteArray page(const QString& fileName) const;
    QString pagePath(const QString& fileName) const;
    // A golden file of the test folder (tests/<folder>/golden/<name>).
    static QByteArray golden(const QString& folder, const QString& name);
};

}  // namespace testsupport
