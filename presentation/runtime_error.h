#pragma once

#include <string>
#include <string_view>

namespace presentation {

// Shows a run-time error to the user. The front-end chooses how (standard error by default, a
// message box on the desktops); the program ends right after, whatever the report does.
using RuntimeErrorReport = void (*)(std::string_view what);
void setRuntimeErrorReport(RuntimeErrorReport report);

// The default report: one line on standard error, "krivoklyun: run-time error: " and what failed.
void reportOnStandardError(std::string_view what);
// What a front-end's message box says, in UTF-8: a heading, a blank line and what failed.
std::string runtimeErrorMessage(std::string_view what);

// A failed control operation is not something the handlers can recover from: it means the window
// and the catalogue disagree. Report what failed and end the program with status 1, rather than
// carry on with undefined behaviour.
[[noreturn]] void runtimeError(std::string_view what);

} // namespace presentation
