#include "app/error_handler.h"

#include <exception>

#include "app/window_dialogs.h"

namespace app {

bool runGuarded(WindowDialogs& dialogs, const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const std::exception& error) {
    // support::Error carries the text meant for the user; any other
    // exception (out of memory, a library's own) is shown the same way
    // rather than ending the program.
    dialogs.error(error.what());
    return false;
  }
}

}  // namespace app
