#pragma once
// Shows the wait cursor for as long as the object lives, so that every way out of a long
// operation, failures included, restores the normal cursor.

#include <QApplication>

class TWaitCursor {
 public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};
