#include "support/dbase/dbf_date.h"

#include <ctime>

namespace dbase {

DbfDate today() {
  const std::time_t now = std::time(nullptr);
  // localtime's shared result is read at once; the engine runs on one thread.
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

}  // namespace dbase
