#include "catalogue.h"
#include "check.h"
#include "conversions.h"
#include "expected.h"
#include "form_state.h"
#include "handlers.h"
#include "memory_controls.h"
#include "runtime_error.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <sys/wait.h>
#include <unistd.h>
#endif

using presentation::FormState;

namespace {

constexpr std::u16string_view CrLf = u"\r\n";

// The form as the handlers see it: state, controls, and the family event raised back into the
// family handler whenever the bird handler selects a family button.
struct Form {
    FormState state;
    MemoryControls controls;
    int familyEvents = 0;
    int busyInNestedEvent = -1;

    Form() {
        controls.onFamilySelected = [this](std::int16_t n) {
            ++familyEvents;
            busyInNestedEvent = state.Busy;
            presentation::Option1_Click(state, controls, n);
        };
    }
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void pickBird(std::int16_t position) {
        controls.selectedName = position;
        presentation::List1_Click(state, controls, 0);
    }
    void pickFamily(std::int16_t n) {
        controls.selectedFamily = n;
        presentation::Option1_Click(state, controls, n);
    }
};

struct RuntimeErrorRaised {
    std::string what;
};

[[noreturn]] void throwInstead(std::string_view what) {
    throw RuntimeErrorRaised{std::string(what)};
}

// What a step reports as a run-time error ("" when it reports none). Here the report throws
// instead of ending the test run; that the program itself ends is checked once, on its own.
std::string runtimeErrorOf(const std::function<void(Form&)>& step) {
    presentation::setRuntimeErrorReport(throwInstead);
    std::string what;
    try {
        Form form;
        step(form);
    } catch (const RuntimeErrorRaised& error) {
        what = error.what;
    }
    presentation::setRuntimeErrorReport(nullptr);
    return what;
}

} // namespace

CASE(birdSelectionBuildsThreeLinesByReadingTheBoxBack) {
    for (std::int16_t p = 0; p < 16; ++p) {
        Form form;
        form.controls.infoBox = u"whatever the user typed";
        form.pickBird(p);

        const auto& bird = expected::Birds[static_cast<std::size_t>(p)];
        const std::u16string whole = expected::birdText(
            static_cast<std::size_t>(p), catalogue::Descriptions[static_cast<std::size_t>(p)]);
        const std::size_t firstBreak = whole.find(CrLf) + 2;
        const std::size_t secondBreak = whole.find(CrLf, firstBreak) + 2;
        if (!CHECK_EQ(form.controls.writes.size(), std::size_t{3}))
            continue;
        CHECK_EQ(form.controls.writes[0], whole.substr(0, firstBreak));
        CHECK_EQ(form.controls.writes[1], whole.substr(0, secondBreak));
        CHECK_EQ(form.controls.writes[2], whole);
        CHECK_EQ(form.controls.infoBox, whole);

        CHECK_EQ(form.controls.selectedFamily, bird.family);
        CHECK_EQ(form.familyEvents, 1);
        CHECK_EQ(form.busyInNestedEvent, 2); // the nested family event was turned away
        CHECK_EQ(form.state.Busy, 0);
        CHECK(form.state.SelectedBird == std::optional<std::int16_t>(p));
        CHECK(form.state.CurrentFamily == std::optional<double>(bird.family));
    }
}

// A box may change its text between a write and the next read; each extension must build on
// what the box gives back, not on the handler's own copy. This box marks the end of what it gives
// back each time, so every read leaves a mark where the next extension begins.
CASE(eachExtensionBuildsOnWhatTheBoxGivesBack) {
    const auto markEachRead = [](std::u16string text) {
        return text + u'|';
    };
    const auto withMarks = [](std::u16string_view text) {
        std::u16string out;
        for (const char16_t c : text) {
            out += c;
            if (c == u'\n')
                out += u'|';
        }
        if (out.ends_with(u'|'))
            out.pop_back(); // no read follows the last write
        return out;
    };
    Form bird;
    bird.controls.onRead = markEachRead;
    bird.pickBird(6);
    CHECK_EQ(bird.controls.infoBox, withMarks(expected::birdText(6, catalogue::Descriptions[6])));

    Form family;
    family.controls.onRead = markEachRead;
    family.pickFamily(2);
    CHECK_EQ(family.controls.infoBox, withMarks(expected::FamilyListings[2]));
}

CASE(infoBoxGivesEveryLineBreakBackAsCrLf) {
    MemoryControls controls;
    controls.setText(u"a\nb\rc\r\nd\u2028e\u2029f\n\r\r\ng\u00a0h");
    CHECK_EQ(controls.infoBox, u"a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n\r\n\r\ng\u00a0h");
    controls.infoBox = u"typed\nby\u2029hand\r"; // as a widget may hold it
    CHECK_EQ(controls.text(), u"typed\r\nby\r\nhand\r\n");
}

CASE(birdOfTheSelectedFamilyLeavesTheFamilyAlone) {
    Form form;
    form.pickBird(2); // an owl
    const std::u16string first = form.controls.infoBox;
    form.pickBird(2);
    CHECK_EQ(form.controls.infoBox, first); // rebuilt, not appended to
    form.pickBird(15);                      // another owl
    CHECK_EQ(form.familyEvents, 1);
    CHECK_EQ(form.controls.selectedFamily, 0);
    CHECK_EQ(form.controls.infoBox, expected::birdText(15, catalogue::Descriptions[15]));
}

CASE(birdWithoutSelectionChangesNothing) {
    Form form;
    form.controls.infoBox = u"start";
    form.pickBird(-1);
    CHECK_EQ(form.controls.infoBox, u"start");
    CHECK(form.controls.writes.empty());
    CHECK_EQ(form.controls.selectedFamily, -1);
    CHECK(!form.state.SelectedBird.has_value());
    CHECK(!form.state.CurrentFamily.has_value());
    CHECK_EQ(form.state.Busy, 0);
}

CASE(familyListingNamesMembersInCatalogueOrder) {
    for (std::int16_t n = 0; n < 3; ++n) {
        Form form;
        form.pickBird(4);
        const auto selectedBird = form.state.SelectedBird;
        form.controls.writes.clear();
        form.pickFamily(n);

        const std::u16string_view listing = expected::FamilyListings[static_cast<std::size_t>(n)];
        CHECK_EQ(form.controls.infoBox, listing);
        // One write for the heading, then one read-extend-write per member.
        const auto lines =
            static_cast<std::size_t>(std::count(listing.begin(), listing.end(), u'\n'));
        CHECK_EQ(form.controls.writes.size(), lines);
        CHECK(form.state.CurrentFamily == std::optional<double>(n));
        CHECK(form.state.SelectedBird == selectedBird);
        CHECK_EQ(form.controls.selectedName, 4);
        CHECK_EQ(form.state.Busy, 0);
    }
}

// The listing runs over the names list, not over the catalogue behind it.
CASE(familyWithoutMembersShowsItsHeadingAlone) {
    Form form;
    form.controls.names.resize(2); // a falcon and a hawk
    form.pickFamily(0);
    CHECK_EQ(form.controls.infoBox, u"Семейство Совови (Strigidae) включва:\r\n");

    Form empty;
    empty.controls.names.clear();
    empty.pickFamily(2);
    CHECK_EQ(empty.controls.infoBox, u"Семейство Ястребови (Accipitridae) включва:\r\n");
}

CASE(eventsWhileBusyChangeNothing) {
    Form form;
    form.pickFamily(1);
    const std::u16string before = form.controls.infoBox;
    form.state.Busy = 2;
    form.pickFamily(0);
    form.pickBird(3);
    CHECK_EQ(form.controls.infoBox, before);
    CHECK(form.state.CurrentFamily == std::optional<double>(1));
    CHECK(!form.state.SelectedBird.has_value());
    CHECK_EQ(form.state.Busy, 2);

    // Only a positive guard turns an event away.
    form.state.Busy = -1;
    form.pickFamily(2);
    CHECK_EQ(form.controls.infoBox, expected::FamilyListings[2]);
    CHECK_EQ(form.state.Busy, 0);
}

CASE(guardReturnsToZeroHoweverTheBodyEnds) {
    FormState state;
    try {
        const presentation::EventGuard guard(state);
        CHECK(guard.entered());
        CHECK_EQ(state.Busy, 2);
        {
            const presentation::EventGuard nested(state);
            CHECK(!nested.entered());
        }
        CHECK_EQ(state.Busy, 2); // a turned-away event must not release the guard
        throw std::runtime_error("body failed");
    } catch (const std::runtime_error&) {
    }
    CHECK_EQ(state.Busy, 0);
}

CASE(textToNumberReadsTheLeadingNumber) {
    const struct {
        std::u16string_view text;
        double number;
    } rows[] = {
        {u"1", 1.0},           // a digit
        {u" \t 2", 2.0},       // blanks first
        {u"2 семейство", 2.0}, // trailing text
        {u"1.5", 1.5},         // a fraction
        {u".25x", 0.25},       // a leading point
        {u"-3", -3.0},         // a sign
        {u"2e2", 200.0},       // an exponent
        {u"2e", 2.0},          // an exponent without digits
        {u"", 0.0},            // empty
        {u"Соколови", 0.0},    // no number
        {u"-", 0.0},           // a sign alone
        {u"1,5", 1.0},         // a comma is not a point
        {u"1e-999", 0.0},      // underflow
    };
    for (const auto& row : rows)
        CHECK_EQ(presentation::textToNumber(row.text), row.number);
}

CASE(textToNumberOverflowsToInfinityWithoutThrowing) {
    CHECK(std::isinf(presentation::textToNumber(u"1e999")));
    CHECK(std::isinf(presentation::textToNumber(std::u16string(400, u'9'))));
    CHECK_EQ(presentation::textToNumber(u"0." + std::u16string(400, u'0') + u"1"), 0.0);
}

CASE(toIndexRoundsHalvesToEven) {
    CHECK_EQ(presentation::toIndex(2.0), 2);
    CHECK_EQ(presentation::toIndex(1.5), 2);
    CHECK_EQ(presentation::toIndex(2.5), 2);
    CHECK_EQ(presentation::toIndex(-0.4), 0);
    CHECK_EQ(presentation::toIndex(32767.0), 32767);
    CHECK_EQ(presentation::toIndex(-32768.0), -32768);
}

// A missing control or list item must stop the program with a message that names it, never
// read out of bounds.
CASE(badIndexIsARuntimeErrorNamingControlAndIndex) {
    const struct {
        std::function<void(Form&)> step;
        std::string_view message;
    } rows[] = {
        {[](Form& f) { f.controls.selectOption(3); }, "Option1(3)"},
        {[](Form& f) { (void)f.controls.optionCaption(-1); }, "Option1(-1)"},
        {[](Form& f) { (void)f.controls.listCount(3); }, "List1(3)"},
        {[](Form& f) { (void)f.controls.listItem(1, 16); }, "List1(1).List(16)"},
        {[](Form& f) { (void)f.controls.listItem(0, -1); }, "List1(0).List(-1)"},
        {[](Form& f) { (void)f.controls.listItem(2, 16); }, "List1(2).List(16)"},
        {[](Form& f) { // the names list longer than the catalogue behind it
             f.controls.names.emplace_back(u"Орел");
             f.pickFamily(0);
         },
         "List1(1).List(16)"},
        {[](Form&) { (void)presentation::toIndex(40000.0); }, "overflow"},
    };
    for (const auto& row : rows) {
        const std::string what = runtimeErrorOf(row.step);
        if (!CHECK(what.find(row.message) != std::string::npos))
            std::printf("    expected \"%s\" in \"%s\"\n", row.message.data(), what.c_str());
    }
}

// Needs a second process, which neither Windows nor WebAssembly gives: there the program's own
// tests watch the report.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// The run-time error itself: reported on standard error, and the program ends with status 1
// even from deep inside an event.
CASE(runtimeErrorReportsAndEndsTheProgram) {
    int pipeEnds[2];
    if (!CHECK(pipe(pipeEnds) == 0))
        return;
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        Form form;
        form.controls.names.emplace_back(u"Орел");
        form.pickBird(16);
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    CHECK(WIFEXITED(status));
    CHECK_EQ(WEXITSTATUS(status), 1);
    CHECK_EQ(output.rfind("krivoklyun: run-time error: ", 0), std::size_t{0});
    CHECK(output.find("List1(1).List(16)") != std::string::npos);
}
#endif

int main(int argc, char** argv) {
    return check::runAll(argc, argv);
}
