// The run's session and dialogs by name only: what a header needs whose
// functions take them by reference.
#pragma once

namespace run {
struct Session;
class Dialogs;
}  // namespace run
