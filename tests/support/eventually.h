#pragma once

#include <QTest>

// Handles events until the condition holds, and says whether it did. The
// deadline is generous: a busy machine is slow, and a broken rule never holds
// at all. (Qt's QTRY_ macros wait the same way, but tell only Qt Test of a
// failure, which GoogleTest never hears.)
template <class Condition>
bool eventually(Condition condition)
{
    return QTest::qWaitFor(condition, 30000);
}
