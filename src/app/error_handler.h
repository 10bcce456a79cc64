// The default error handler. Every handler of a window event that calls the
// core runs its work through runGuarded: an error ends the work where it was
// thrown, its text is shown in the error box and the program goes on with
// the window as the work left it.
#pragma once

#include <functional>

namespace app {

class WindowDialogs;

// True when work ran to its end; false when an error stopped it.
bool runGuarded(WindowDialogs& dialogs, const std::function<void()>& work);

}  // namespace app
