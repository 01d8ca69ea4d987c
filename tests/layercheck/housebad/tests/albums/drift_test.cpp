// A test that waits with a QtTest check, and what is allowed beside it.
// Comments may name QTRY_VERIFY(done) and QCOMPARE(a, b).
#include <gtest/gtest.h>

#include <QTest>

#include "support/eventually.h"

TEST(Drift, WaitsForTheUpload) {
    bool done = false;
    QTimer::singleShot(0, [&] { done = true; });
    QTRY_VERIFY_WITH_TIMEOUT(done, 1000);
    EXPECT_EVENTUALLY(done);
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }));
}
