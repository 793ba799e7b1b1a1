#pragma once
// A table for pure functions: each row holds the text a function built while
// the rows were made, beside the text expected of it. A test has
// results_data() make the rows with Row() and results() call CompareResult().

#include <QTest>

namespace ZtTest {

inline void ResultColumns()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");
}

inline void Row(const char* name, const QString& result, const QString& expected)
{
    QTest::newRow(name) << result << expected;
}

inline void CompareResult()
{
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

// A yes-or-no answer as a word a row can expect.
inline QString YesNo(bool answer)
{
    return answer ? QStringLiteral("yes") : QStringLiteral("no");
}

} // namespace ZtTest
