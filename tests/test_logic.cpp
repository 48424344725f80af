#include "conversions.h"
#include "expected.h"
#include "form_state.h"
#include "handlers.h"
#include "memory_controls.h"
#include "qt_text.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

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

std::u16string birdText(std::size_t p) {
    const expected::Bird& bird = expected::Birds[p];
    return std::u16string(u"Семейство ")
        .append(expected::FamilyCaptions[static_cast<std::size_t>(bird.family)])
        .append(CrLf)
        .append(u"Род: ")
        .append(bird.name)
        .append(CrLf);
}

struct ChildOutcome {
    int exitStatus = -1;
    QString errorOutput;
};

// Runs a step that must end the program in a child process and reports how the child ended.
ChildOutcome runInChild(const std::function<void()>& step) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        step();
        _exit(0);
    }
    close(pipeEnds[1]);
    QByteArray output;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            QString::fromUtf8(output)};
}

} // namespace

Q_DECLARE_METATYPE(std::function<void(Form&)>)

class LogicTest : public QObject {
    Q_OBJECT

private slots:
    void birdSelectionBuildsThreeLinesByReadingTheBoxBack() {
        for (std::int16_t p = 0; p < 16; ++p) {
            Form form;
            form.controls.infoBox = u"whatever the user typed";
            form.pickBird(p);

            const auto& bird = expected::Birds[static_cast<std::size_t>(p)];
            const std::u16string twoLines = birdText(static_cast<std::size_t>(p));
            const std::u16string firstLine = twoLines.substr(0, twoLines.find(CrLf) + 2);
            const std::u16string whole =
                twoLines + form.controls.lists[2][static_cast<std::size_t>(p)];
            QCOMPARE(form.controls.writes.size(), std::size_t{3});
            QCOMPARE(q(form.controls.writes[0]), q(firstLine));
            QCOMPARE(q(form.controls.writes[1]), q(twoLines));
            QCOMPARE(q(form.controls.writes[2]), q(whole));
            QCOMPARE(q(form.controls.infoBox), q(whole));

            QCOMPARE(form.controls.selectedFamily, bird.family);
            QCOMPARE(form.familyEvents, 1);
            QCOMPARE(form.busyInNestedEvent, 2); // the nested family event was turned away
            QCOMPARE(form.state.Busy, std::int16_t{0});
            QCOMPARE(form.state.SelectedBird, std::optional<std::int16_t>(p));
            QCOMPARE(form.state.CurrentFamily, std::optional<double>(bird.family));
        }
    }

    void birdOfTheSelectedFamilyLeavesTheFamilyAlone() {
        Form form;
        form.pickBird(2); // an owl
        const std::u16string first = form.controls.infoBox;
        form.pickBird(2);
        QCOMPARE(q(form.controls.infoBox), q(first)); // rebuilt, not appended to
        form.pickBird(15);                            // another owl
        QCOMPARE(form.familyEvents, 1);
        QCOMPARE(form.controls.selectedFamily, std::int16_t{0});
        QVERIFY(form.controls.infoBox.starts_with(birdText(15)));
    }

    void birdWithoutSelectionChangesNothing() {
        Form form;
        form.controls.infoBox = u"start";
        form.pickBird(-1);
        QCOMPARE(q(form.controls.infoBox), QStringLiteral("start"));
        QVERIFY(form.controls.writes.empty());
        QCOMPARE(form.controls.selectedFamily, std::int16_t{-1});
        QVERIFY(!form.state.SelectedBird.has_value());
        QVERIFY(!form.state.CurrentFamily.has_value());
        QCOMPARE(form.state.Busy, std::int16_t{0});
    }

    void familyListingNamesMembersInCatalogueOrder() {
        for (std::int16_t n = 0; n < 3; ++n) {
            Form form;
            form.pickBird(4);
            const auto selectedBird = form.state.SelectedBird;
            form.controls.writes.clear();
            form.pickFamily(n);

            const std::u16string_view listing =
                expected::FamilyListings[static_cast<std::size_t>(n)];
            QCOMPARE(q(form.controls.infoBox), q(listing));
            // One write for the heading, then one read-extend-write per member.
            const auto lines =
                static_cast<std::size_t>(std::count(listing.begin(), listing.end(), u'\n'));
            QCOMPARE(form.controls.writes.size(), lines);
            QCOMPARE(form.state.CurrentFamily, std::optional<double>(n));
            QCOMPARE(form.state.SelectedBird, selectedBird);
            QCOMPARE(form.controls.selectedName, std::int16_t{4});
            QCOMPARE(form.state.Busy, std::int16_t{0});
        }
    }

    void familyWithoutMembersShowsItsHeadingAlone() {
        Form form;
        for (auto& code : form.controls.lists[1])
            code = u"1";
        form.pickFamily(0);
        QCOMPARE(q(form.controls.infoBox),
                 QStringLiteral("Семейство Совови (Strigidae) включва:\r\n"));

        Form empty;
        empty.controls.lists[0].clear();
        empty.pickFamily(2);
        QCOMPARE(q(empty.controls.infoBox),
                 QStringLiteral("Семейство Ястребови (Accipitridae) включва:\r\n"));
    }

    void eventsWhileBusyChangeNothing() {
        Form form;
        form.pickFamily(1);
        const std::u16string before = form.controls.infoBox;
        form.state.Busy = 2;
        form.pickFamily(0);
        form.pickBird(3);
        QCOMPARE(q(form.controls.infoBox), q(before));
        QCOMPARE(form.state.CurrentFamily, std::optional<double>(1));
        QVERIFY(!form.state.SelectedBird.has_value());
        QCOMPARE(form.state.Busy, std::int16_t{2});

        // Only a positive guard turns an event away.
        form.state.Busy = -1;
        form.pickFamily(2);
        QCOMPARE(q(form.controls.infoBox), q(expected::FamilyListings[2]));
        QCOMPARE(form.state.Busy, std::int16_t{0});
    }

    void guardReturnsToZeroHoweverTheBodyEnds() {
        FormState state;
        try {
            const presentation::EventGuard guard(state);
            QVERIFY(guard.entered());
            QCOMPARE(state.Busy, std::int16_t{2});
            {
                const presentation::EventGuard nested(state);
                QVERIFY(!nested.entered());
            }
            QCOMPARE(state.Busy, std::int16_t{2}); // a turned-away event must not release the guard
            throw std::runtime_error("body failed");
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(state.Busy, std::int16_t{0});
    }

    void textToNumberReadsTheLeadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("digit") << "1" << 1.0;
        QTest::newRow("blanks first") << " \t 2" << 2.0;
        QTest::newRow("trailing text") << "2 семейство" << 2.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("leading point") << ".25x" << 0.25;
        QTest::newRow("sign") << "-3" << -3.0;
        QTest::newRow("exponent") << "2e2" << 200.0;
        QTest::newRow("exponent without digits") << "2e" << 2.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("no number") << "Соколови" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("comma is not a point") << "1,5" << 1.0;
        QTest::newRow("underflow") << "1e-999" << 0.0;
    }
    void textToNumberReadsTheLeadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(presentation::textToNumber(text.toStdU16String()), number);
    }

    void textToNumberOverflowsToInfinityWithoutThrowing() {
        QVERIFY(std::isinf(presentation::textToNumber(u"1e999")));
        QVERIFY(std::isinf(presentation::textToNumber(std::u16string(400, u'9'))));
        QCOMPARE(presentation::textToNumber(u"0." + std::u16string(400, u'0') + u"1"), 0.0);
    }

    void toIndexRoundsHalvesToEven() {
        QCOMPARE(presentation::toIndex(2.0), std::int16_t{2});
        QCOMPARE(presentation::toIndex(1.5), std::int16_t{2});
        QCOMPARE(presentation::toIndex(2.5), std::int16_t{2});
        QCOMPARE(presentation::toIndex(-0.4), std::int16_t{0});
        QCOMPARE(presentation::toIndex(32767.0), std::int16_t{32767});
        QCOMPARE(presentation::toIndex(-32768.0), std::int16_t{-32768});
    }

    // A missing control or list item must stop the program with a message that names it, never
    // read out of bounds.
    void badIndexEndsTheProgramNamingControlAndIndex_data() {
        QTest::addColumn<std::function<void(Form&)>>("step");
        QTest::addColumn<QString>("message");
        QTest::newRow("family button")
            << std::function<void(Form&)>([](Form& f) { f.controls.selectOption(3); })
            << "Option1(3)";
        QTest::newRow("caption") << std::function<void(Form&)>([](Form& f) {
            (void)f.controls.optionCaption(-1);
        }) << "Option1(-1)";
        QTest::newRow("list array")
            << std::function<void(Form&)>([](Form& f) { (void)f.controls.listCount(3); })
            << "List1(3)";
        QTest::newRow("list item")
            << std::function<void(Form&)>([](Form& f) { (void)f.controls.listItem(1, 16); })
            << "List1(1).List(16)";
        QTest::newRow("negative item")
            << std::function<void(Form&)>([](Form& f) { (void)f.controls.listItem(0, -1); })
            << "List1(0).List(-1)";
        QTest::newRow("code without a button") << std::function<void(Form&)>([](Form& f) {
            f.controls.lists[1][5] = u"7";
            f.pickBird(5);
        }) << "Option1(7)";
        QTest::newRow("lists out of step") << std::function<void(Form&)>([](Form& f) {
            f.controls.lists[1].pop_back();
            f.pickFamily(0);
        }) << "List1(1).List(15)";
        QTest::newRow("code too large for an index") << std::function<void(Form&)>([](Form& f) {
            f.controls.lists[1][0] = u"40000";
            f.pickBird(0);
        }) << "overflow";
    }
    void badIndexEndsTheProgramNamingControlAndIndex() {
        QFETCH(std::function<void(Form&)>, step);
        QFETCH(QString, message);
        const ChildOutcome outcome = runInChild([&] {
            Form form;
            step(form);
        });
        QVERIFY2(outcome.exitStatus != 0 && outcome.exitStatus < 128,
                 qPrintable(QString::number(outcome.exitStatus)));
        QVERIFY2(outcome.errorOutput.startsWith("krivoklyun: run-time error:"),
                 qPrintable(outcome.errorOutput));
        QVERIFY2(outcome.errorOutput.contains(message), qPrintable(outcome.errorOutput));
    }
};

QTEST_APPLESS_MAIN(LogicTest)
#include "test_logic.moc"
