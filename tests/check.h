#pragma once

// A few lines of test harness in standard C++, for the suites that must also run as Windows
// programs under Wine, where Qt Test is not available.
//
//   CASE(nameOfTheCase) { CHECK(condition); CHECK_EQ(actual, expected); }
//   int main() { return check::runAll(); }
//
// A failed check reports itself and the case goes on. The last line a run prints is
// "krivoklyun checks: N passed, M failed", which the Wine runner reads: a program that exits 0
// without saying how many checks passed (a 32-bit exe that never started prints nothing and still
// exits 0 under Wine) is a failure.

#include "utf8.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace check {

struct Case {
    const char* name;
    void (*body)();
};

inline std::vector<Case>& cases() {
    static std::vector<Case> all;
    return all;
}

struct Tally {
    long passed = 0;
    long failed = 0;
    const char* currentCase = "";
};

inline Tally& tally() {
    static Tally t;
    return t;
}

struct Register {
    Register(const char* name, void (*body)()) { cases().push_back({name, body}); }
};

using catalogue::utf8;

// How a value is shown when a comparison fails. Texts are quoted, with CR and LF made visible,
// since a line break in the wrong place is the commonest fault in this program's texts.
template <typename T> std::string show(const T& value) {
    if constexpr (std::is_convertible_v<const T&, std::u16string_view>) {
        std::string out = "\"";
        for (const char ch : utf8(value))
            out += ch == '\r'   ? std::string("\\r")
                   : ch == '\n' ? std::string("\\n")
                                : std::string(1, ch);
        return out + "\"";
    } else if constexpr (std::is_enum_v<T>) {
        return std::to_string(static_cast<long long>(value));
    } else {
        std::ostringstream out;
        out << +value;
        return out.str();
    }
}

inline bool record(bool ok, const char* file, int line, const std::string& what) {
    Tally& t = tally();
    if (ok) {
        ++t.passed;
    } else {
        ++t.failed;
        std::printf("FAIL %s (%s:%d): %s\n", t.currentCase, file, line, what.c_str());
        std::fflush(stdout);
    }
    return ok;
}

template <typename A, typename B>
bool equal(const A& actual, const B& expected, const char* file, int line, const char* text) {
    const bool ok = actual == expected;
    return record(ok, file, line,
                  ok ? std::string()
                     : std::string(text) + "\n    actual:   " + show(actual) +
                           "\n    expected: " + show(expected));
}

// Runs every case (or only those whose names are given) and prints the tally.
inline int runAll(int argc = 0, char** argv = nullptr) {
    for (const Case& c : cases()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || std::string_view(argv[i]) == c.name;
        if (!wanted)
            continue;
        tally().currentCase = c.name;
        c.body();
    }
    std::printf("krivoklyun checks: %ld passed, %ld failed\n", tally().passed, tally().failed);
    std::fflush(stdout);
    return tally().failed == 0 && tally().passed > 0 ? 0 : 1;
}

} // namespace check

#define CHECK_CONCAT2(a, b) a##b
#define CHECK_CONCAT(a, b) CHECK_CONCAT2(a, b)

#define CASE(name)                                                                                 \
    static void name();                                                                            \
    static const check::Register CHECK_CONCAT(registered_, name)(#name, &name);                    \
    static void name()

// Both evaluate to whether the check passed, so a case can stop early where going on would only
// repeat the failure: if (!CHECK(p)) return;
#define CHECK(condition) check::record(static_cast<bool>(condition), __FILE__, __LINE__, #condition)
#define CHECK_EQ(actual, expected)                                                                 \
    check::equal((actual), (expected), __FILE__, __LINE__, #actual " == " #expected)
