// The date a table and its index carry in their headers (the day of the
// last change).
#pragma once

namespace dbase {

struct DbfDate {
  int year = 2000;  // full year
  int month = 1;
  int day = 1;

  bool operator==(const DbfDate&) const = default;
};

// Today in the computer's local time zone: the date the host, which runs on
// the same computer, writes into the tables it changes.
DbfDate today();

}  // namespace dbase
