#pragma once

#include <string_view>

namespace presentation {

// A failed control operation is not something the handlers can recover from: it means the window
// and the catalogue disagree. Report what failed on standard error and end the program with a
// non-zero status, rather than carry on with undefined behaviour.
[[noreturn]] void runtimeError(std::string_view what);

} // namespace presentation
