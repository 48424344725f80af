#include "runtime_error.h"

#include <cstdio>
#include <cstdlib>

namespace presentation {

void reportOnStandardError(std::string_view what) {
    std::fprintf(stderr, "krivoklyun: run-time error: %.*s\n", static_cast<int>(what.size()),
                 what.data());
    std::fflush(stderr);
}

std::string runtimeErrorMessage(std::string_view what) {
    return std::string("Грешка по време на изпълнение:\n\n").append(what);
}

namespace {

RuntimeErrorReport report = reportOnStandardError;

} // namespace

void setRuntimeErrorReport(RuntimeErrorReport newReport) {
    report = newReport ? newReport : reportOnStandardError;
}

void runtimeError(std::string_view what) {
    report(what);
    // _Exit, not exit: we may be deep inside a widget's event, and running static destructors
    // from there would only add a second failure to the first.
    std::_Exit(EXIT_FAILURE);
}

} // namespace presentation
