#pragma once
// Checks that wait for a condition while the event loop runs.
//
// QtTest's own checks (QTRY_*, QVERIFY, QCOMPARE…) only print "FAIL!" and return from the function
// when no QTest::qExec runs them, so in these GoogleTest programs a failing one passes its test.
// Wait with these instead:
//   EXPECT_EVENTUALLY(cond[, ms]);                 ASSERT_EVENTUALLY(cond[, ms]);
//   EXPECT_EVENTUALLY_EQ(actual, expected[, ms]);  ASSERT_EVENTUALLY_EQ(actual, expected[, ms]);
// The condition is polled (events and deferred deletions processed in between) and the check
// returns as soon as it holds, so the generous default limit, meant for a busy CI machine, costs
// nothing when all is well. A failure names the expression and, for _EQ, both values.
#include <gtest/gtest.h>

#include <QTest>

#include <string>

namespace testsupport {

inline constexpr int kEventuallyDefaultMs = 30000;

inline int eventuallyLimit(int ms = kEventuallyDefaultMs) { return ms; }

// A value as QtTest prints it (QString, QSize, QRect…), else as GoogleTest does.
template <typename T>
std::string eventuallyShown(const T& value) {
    if (char* text = QTest::toString(value)) {
        std::string shown(text);
        delete[] text;
        return shown;
    }
    return ::testing::PrintToString(value);
}

template <typename Cond>
::testing::AssertionResult eventually(Cond&& cond, const char* text, int ms) {
    if (QTest::qWaitFor(cond, ms)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text << " still false after " << ms << " ms";
}

template <typename Actual, typename Expected>
::testing::AssertionResult eventuallyEqual(Actual&& actual, Expected&& expected, const char* actualText,
                                           const char* expectedText, int ms) {
    if (QTest::qWaitFor([&] { return actual() == expected(); }, ms)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actualText << " never became " << expectedText << " in " << ms
                                         << " ms\n  last value: " << eventuallyShown(actual())
                                         << "\n    expected: " << eventuallyShown(expected());
}

}  // namespace testsupport

#define TAVOLIN_EVENTUALLY_(cond, ...) \
    ::testsupport::eventually([&] { return bool(cond); }, #cond, ::testsupport::eventuallyLimit(__VA_ARGS__))
#define TAVOLIN_EVENTUALLY_EQ_(actual, expected, ...)                                                   \
    ::testsupport::eventuallyEqual([&] { return (actual); }, [&] { return (expected); }, #actual, #expected, \
                                   ::testsupport::eventuallyLimit(__VA_ARGS__))

#define EXPECT_EVENTUALLY(cond, ...) EXPECT_TRUE(TAVOLIN_EVENTUALLY_(cond, __VA_ARGS__))
#define ASSERT_EVENTUALLY(cond, ...) ASSERT_TRUE(TAVOLIN_EVENTUALLY_(cond, __VA_ARGS__))
#define EXPECT_EVENTUALLY_EQ(actual, expected, ...) EXPECT_TRUE(TAVOLIN_EVENTUALLY_EQ_(actual, expected, __VA_ARGS__))
#define ASSERT_EVENTUALLY_EQ(actual, expected, ...) ASSERT_TRUE(TAVOLIN_EVENTUALLY_EQ_(actual, expected, __VA_ARGS__))
