#pragma once

#include <string_view>

namespace presentation {

// Shows a run-time error to the user. The front-end chooses how (standard error by default, a
// message box on Windows); the program ends right after, whatever the report does.
using RuntimeErrorReport = void (*)(std::string_view what);
void setRuntimeErrorReport(RuntimeErrorReport report);

// A failed control operation is not something the handlers can recover from: it means the window
// and the catalogue disagree. Report what failed and end the program with status 1, rather than
// carry on with undefined behaviour.
[[noreturn]] void runtimeError(std::string_view what);

} // namespace presentation
