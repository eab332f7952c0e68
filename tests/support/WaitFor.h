#pragma once

// Waiting for a condition in the 10 ms steps of QTest::qWaitFor (five seconds at most) rather than the
// 50 ms steps of QTRY_VERIFY, for tests that wait on many short periods.

#include <QTest>

#define WAIT_FOR(expr) QVERIFY2(QTest::qWaitFor([&] { return bool(expr); }), "waited in vain for " #expr)
