#pragma once
// Checks that wait for a condition while the event loop runs.
//
// QtTest's own checks (QTRY_*, QVERIFY, QCOMPARE…) only print "FAIL!" and return from the function
// when no QTest::qExec runs them, so in these GoogleTest programs a failing one passes its test.
// Wait with these instead:
//   EXPECT_EVENTUALLY(cond[, ms]);                 ASSERT_EVENTUALLY(cond[, ms]);
//   EXPECT_EVENTUALLY_EQ(actual, expected[, ms]);  ASSERT_EVENTUALLY_EQ(actual, expected[, ms]);
// The condition is polled and the check returns as soon as it holds, so the generous default
// limit, meant for a busy CI machine, costs nothing when all is well. A failure names the
// expression and, for _EQ, both values. Between polls the event loop runs in short waiting slices
// (deferred deletions included): QTest::qWaitFor's non-waiting passes starve the web engine, whose
// pages then never finish loading.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include <string>

namespace testsupport {

inline constexpr int kEventuallyDefaultMs = 30000;

inline int eventuallyLimit(int ms = kEventuallyDefaultMs) { return ms; }

template <typename Cond>
bool waitUntil(Cond&& cond, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!cond()) {
        if (clock.elapsed() >= ms) return false;
        QTest::qWait(10);
    }
    return true;
}

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

// Predicate formatters: the lambda's own text, which GoogleTest passes first, is not shown.
struct Eventually {
    const char* text;
    int ms;
    template <typename Cond>
    ::testing::AssertionResult operator()(const char*, Cond&& cond) const {
        if (waitUntil(cond, ms)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << text << "\n  still false after " << ms << " ms";
    }
};

struct EventuallyEqual {
    const char* actualText;
    const char* expectedText;
    int ms;
    template <typename Actual, typename Expected>
    ::testing::AssertionResult operator()(const char*, const char*, Actual&& actual, Expected&& expected) const {
        if (waitUntil([&] { return actual() == expected(); }, ms)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << actualText << "\n  never became " << expectedText << " in " << ms
                                             << " ms\n  last value: " << eventuallyShown(actual())
                                             << "\n    expected: " << eventuallyShown(expected());
    }
};

}  // namespace testsupport

#define TAVOLIN_EVENTUALLY_(check, cond, ...)                                                        \
    check((::testsupport::Eventually{#cond, ::testsupport::eventuallyLimit(__VA_ARGS__)}), [&] { \
        return bool(cond);                                                                           \
    })
#define TAVOLIN_EVENTUALLY_EQ_(check, actual, expected, ...)                                                  \
    check((::testsupport::EventuallyEqual{#actual, #expected, ::testsupport::eventuallyLimit(__VA_ARGS__)}), \
          [&] { return (actual); }, [&] { return (expected); })

#define EXPECT_EVENTUALLY(cond, ...) TAVOLIN_EVENTUALLY_(EXPECT_PRED_FORMAT1, cond, __VA_ARGS__)
#define ASSERT_EVENTUALLY(cond, ...) TAVOLIN_EVENTUALLY_(ASSERT_PRED_FORMAT1, cond, __VA_ARGS__)
#define EXPECT_EVENTUALLY_EQ(actual, expected, ...) \
    TAVOLIN_EVENTUALLY_EQ_(EXPECT_PRED_FORMAT2, actual, expected, __VA_ARGS__)
#define ASSERT_EVENTUALLY_EQ(actual, expected, ...) \
    TAVOLIN_EVENTUALLY_EQ_(ASSERT_PRED_FORMAT2, actual, expected, __VA_ARGS__)
