#pragma once

#include <QApplication>

namespace platform {

// The busy cursor for a long wait (a statement's first row, a generation, the index creation),
// back to what it was however the wait ends.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace platform
