#pragma once
// The wait cursor of a server query: shown over the whole application while
// the guard lives and put back when it goes, also when the query throws, so a
// failed query never leaves the cursor waiting.

#include <QApplication>
#include <QCursor>

class SqlWaitCursor {
public:
    SqlWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~SqlWaitCursor() { QApplication::restoreOverrideCursor(); }
    SqlWaitCursor(const SqlWaitCursor &) = delete;
    SqlWaitCursor &operator=(const SqlWaitCursor &) = delete;
};
