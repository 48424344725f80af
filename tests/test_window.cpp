#include "widget_controls.h"
#include "window_fixture.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <array>

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheStartupTextAndNothingPicked() {
        Window w;
        QVERIFY(w.ready());
        QCOMPARE(w.shown(), StartupText);
        QCOMPARE(w.box->document()->blockCount(), 8); // seven lines and the empty one after them
        QCOMPARE(w.highlightedName(), -1);
        QCOMPARE(w.checkedFamily(), -1);
        QCOMPARE(QApplication::focusWidget(), w.box);
        QVERIFY(!w.form.formState().SelectedBird.has_value());
        QVERIFY(!w.form.formState().CurrentFamily.has_value());
        QCOMPARE(w.busy(), 0);
    }

    void everyBirdByMouseShowsItsTextAndSelectsItsFamily() {
        Window w;
        QVERIFY(w.ready());
        QSignalSpy familyChanges(w.families[0]->group(), &QButtonGroup::idToggled);
        int checked = -1;
        for (int p = 0; p < 16; ++p) {
            familyChanges.clear();
            w.clickName(p);
            QCOMPARE(w.shown(), birdText(p));
            const int family = expected::Birds[static_cast<std::size_t>(p)].family;
            QCOMPARE(w.checkedFamily(), family);
            QCOMPARE(w.highlightedName(), p);
            QCOMPARE(w.busy(), 0);
            // One run of the bird handler writes the box three times, and the family event it
            // raises by selecting a button is turned away without writing.
            QCOMPARE(w.writes->count(), 3);
            const int toggledOn = static_cast<int>(
                std::count_if(familyChanges.begin(), familyChanges.end(),
                              [](const QList<QVariant>& args) { return args.at(1).toBool(); }));
            QCOMPARE(toggledOn, family == checked ? 0 : 1);
            checked = family;
        }
    }

    void everyBirdByKeyboard() {
        Window w;
        QVERIFY(w.ready());
        // Tab into the list: focus alone picks no name and raises nothing.
        w.key(Qt::Key_Tab);
        w.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.names);
        QCOMPARE(w.shown(), StartupText);
        QCOMPARE(w.highlightedName(), -1);
        QCOMPARE(w.writes->count(), 0);

        w.key(Qt::Key_Down); // the first Down picks the first name
        QCOMPARE(w.highlightedName(), 0);
        QCOMPARE(w.shown(), birdText(0));
        for (int p = 1; p < 16; ++p) {
            w.key(Qt::Key_Down);
            QCOMPARE(w.highlightedName(), p);
            QCOMPARE(w.shown(), birdText(p));
            QCOMPARE(w.checkedFamily(), expected::Birds[static_cast<std::size_t>(p)].family);
            QCOMPARE(w.writes->count(), 3);
        }
        w.key(Qt::Key_Down); // past the end: nothing moves, nothing is rewritten
        QCOMPARE(w.writes->count(), 0);
        w.key(Qt::Key_Home);
        QCOMPARE(w.shown(), birdText(0));
        w.key(Qt::Key_End);
        QCOMPARE(w.shown(), birdText(15));
        w.key(Qt::Key_Up);
        QCOMPARE(w.shown(), birdText(14));
        w.key(Qt::Key_PageUp);
        QVERIFY(w.highlightedName() < 14);
        QCOMPARE(w.shown(), birdText(w.highlightedName()));
        QCOMPARE(w.busy(), 0);

        // Space over the picked name shows it again, as a click on it does.
        const int picked = w.highlightedName();
        w.clickFamily(2);
        w.names->setFocus();
        w.key(Qt::Key_Space);
        QCOMPARE(w.shown(), birdText(picked));
        QCOMPARE(w.writes->count(), 3);
    }

    // With nothing picked yet, every move key picks a name, even one that leaves the focus frame
    // on the first name.
    void firstMoveKeyPicksAName_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("picked");
        const Qt::KeyboardModifiers none;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << 0;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << 0;
        QTest::newRow("Up") << int(Qt::Key_Up) << none << 0;
        QTest::newRow("End") << int(Qt::Key_End) << none << 15;
        // To the last name wholly in view, as a list box pages.
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << expected::NamesInView - 1;
        // A modifier does not change which name the first move picks.
        QTest::newRow("Ctrl+Down")
            << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
        QTest::newRow("Shift+Down")
            << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
        QTest::newRow("keypad Down")
            << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0;
        QTest::newRow("Shift+Up") << int(Qt::Key_Up) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                  << 0;
    }
    void firstMoveKeyPicksAName() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, picked);
        Window w;
        QVERIFY(w.ready());
        w.key(Qt::Key_Tab);
        w.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.names);
        w.key(static_cast<Qt::Key>(key), modifiers);
        QCOMPARE(w.highlightedName(), picked);
        QCOMPARE(w.shown(), birdText(picked));
    }

    // The session by keyboard that every version of the program plays alike.
    void theKeySessionOfEveryVersion() {
        using expected::Press;
        constexpr std::array<Qt::Key, 11> keys = {Qt::Key_Tab,      Qt::Key_Backtab, Qt::Key_Up,
                                                  Qt::Key_Down,     Qt::Key_Left,    Qt::Key_Right,
                                                  Qt::Key_Home,     Qt::Key_End,     Qt::Key_PageUp,
                                                  Qt::Key_PageDown, Qt::Key_Space};
        Window w;
        QVERIFY(w.ready());
        for (const expected::KeyStep& step : expected::KeySession) {
            w.key(keys[static_cast<std::size_t>(step.key)],
                  step.key == Press::ShiftTab ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(w.highlightedName(), step.name);
            QCOMPARE(w.checkedFamily(), step.family);
            QCOMPARE(w.shown(), step.shows == expected::Shows::Bird      ? birdText(step.name)
                                : step.shows == expected::Shows::Listing ? listing(step.family)
                                                                         : StartupText);
        }
    }

    void everyFamilyByMouseListsItsMembers() {
        Window w;
        QVERIFY(w.ready());
        for (int n : {1, 0, 2}) {
            w.clickFamily(n);
            QCOMPARE(w.shown(), listing(n));
            QCOMPARE(w.checkedFamily(), n);
            QCOMPARE(w.writes->count(), 1 + membersOf(n));
            QCOMPARE(w.busy(), 0);
        }
    }

    void familiesByArrowKeys() {
        Window w;
        QVERIFY(w.ready());
        w.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.families[0]);
        QCOMPARE(w.shown(), StartupText); // focus alone picks no family
        w.key(Qt::Key_Down);              // with none picked yet, the arrow picks the next one
        QCOMPARE(w.checkedFamily(), 1);
        QCOMPARE(w.shown(), listing(1));
        w.key(Qt::Key_Down);
        QCOMPARE(w.shown(), listing(2));
        QCOMPARE(w.writes->count(), 1 + membersOf(2));
        w.key(Qt::Key_Down); // round the end
        QCOMPARE(w.checkedFamily(), 0);
        QCOMPARE(w.shown(), listing(0));
        QCOMPARE(QApplication::focusWidget(), w.families[0]);
        w.key(Qt::Key_Space); // the selected family again
        QCOMPARE(w.shown(), listing(0));
        QCOMPARE(w.writes->count(), 1 + membersOf(0));
        // The buttons stand in a column: Left and Right step one button, like Up and Down, and
        // never skip the middle one for being narrower.
        for (const auto& [key, family] : {std::pair{Qt::Key_Right, 1},
                                          {Qt::Key_Right, 2},
                                          {Qt::Key_Left, 1},
                                          {Qt::Key_Left, 0}}) {
            w.key(key);
            QCOMPARE(w.checkedFamily(), family);
            QCOMPARE(w.shown(), listing(family));
        }
    }

    // A click on what is already selected raises its event once more, never twice: from a family
    // listing back to the highlighted bird, and from a bird back to its family's listing.
    void reclickingTheSelectionShowsItAgain() {
        Window w;
        QVERIFY(w.ready());
        w.clickName(6);
        w.clickFamily(0);
        QCOMPARE(w.shown(), listing(0));
        QCOMPARE(w.highlightedName(), 6); // the bird stays highlighted under a family listing

        w.clickName(6);
        QCOMPARE(w.shown(), birdText(6));
        QCOMPARE(w.writes->count(), 3);
        QCOMPARE(w.checkedFamily(), 1);

        w.clickFamily(1);
        QCOMPARE(w.shown(), listing(1));
        QCOMPARE(w.writes->count(), 1 + membersOf(1));
        QCOMPARE(w.highlightedName(), 6);

        w.clickFamily(1);
        QCOMPARE(w.writes->count(), 1 + membersOf(1));
        w.clickName(6);
        w.clickName(6);
        QCOMPARE(w.writes->count(), 3);
        QCOMPARE(w.busy(), 0);
    }

    void ctrlClickDoesNotClearTheSelection() {
        Window w;
        QVERIFY(w.ready());
        w.clickName(3);
        w.writes->clear();
        QTest::mouseClick(w.names->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          w.names->visualItemRect(w.names->item(3)).center());
        QCOMPARE(w.highlightedName(), 3);
        QCOMPARE(w.shown(), birdText(3));
    }

    void typedTextIsReplacedByTheNextEvent() {
        Window w;
        QVERIFY(w.ready());
        w.box->setFocus();
        QTest::keyClicks(w.box, QStringLiteral("my note"));
        QVERIFY(w.shown().contains(QStringLiteral("my note")));
        w.clickFamily(2);
        QCOMPARE(w.shown(), listing(2));
        QTest::keyClicks(w.box, QStringLiteral("more"));
        w.clickName(9);
        QCOMPARE(w.shown(), birdText(9));
    }

    // The handlers extend the box by reading it back, so a read must return exactly what they
    // wrote, CR LF pairs included, while the box itself shows real line breaks.
    void infoBoxRoundTripsCrLf_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("one line") << QStringLiteral("Семейство Совови (Strigidae)");
        QTest::newRow("trailing break") << QStringLiteral("а\r\nб\r\n");
        QTest::newRow("empty lines") << QStringLiteral("\r\n\r\nв");
        QTest::newRow("spaces kept") << QStringLiteral("Торхъл (Falco peregrinus)  \r\n  x");
        QTest::newRow("no-break space") << QStringLiteral("а\u00a0б");
        QTest::newRow("bird") << birdText(4);
    }
    void infoBoxRoundTripsCrLf() {
        QFETCH(QString, text);
        QListWidget names;
        QRadioButton a, b, c;
        QPlainTextEdit box;
        WidgetControls controls(names, {&a, &b, &c}, box);
        controls.setText(text.toStdU16String());
        QCOMPARE(q(controls.text()), text);
        QVERIFY(!box.toPlainText().contains(u'\r'));
        QCOMPARE(box.document()->blockCount(), static_cast<int>(text.count(u'\n')) + 1);
    }

    // Any break the box is given or holds (Shift+Enter types a line separator) reads back as
    // CR LF.
    void infoBoxGivesEveryLineBreakBackAsCrLf() {
        QListWidget names;
        QRadioButton a, b, c;
        QPlainTextEdit box;
        WidgetControls controls(names, {&a, &b, &c}, box);
        controls.setText(u"а\nб\rв\u2029г");
        QCOMPARE(box.document()->blockCount(), 4);
        box.moveCursor(QTextCursor::End);
        QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(&box, Qt::Key_X);
        QCOMPARE(q(controls.text()), QStringLiteral("а\r\nб\r\nв\r\nг\r\nx"));
    }

    void layoutMatchesTheDesignAt96Dpi() {
        Window w;
        QVERIFY(w.ready());
        QCOMPARE(w.form.logicalDpiY(), 96);
        QCOMPARE(w.form.size(), QSize(expected::ClientWidth, expected::ClientHeight));
        QCOMPARE(w.form.minimumSize(), w.form.maximumSize()); // not resizable
        QVERIFY(w.form.windowTitle().endsWith(
            QStringLiteral(" - Биология, семейство и род грабливи птици")));
        QVERIFY(w.form.windowTitle().startsWith(QStringLiteral("www.example.org")));
        QVERIFY(!w.form.windowIcon().isNull());
        QCOMPARE(w.form.windowIcon().pixmap(32, 32).size(), QSize(32, 32));

        for (const expected::Place& place : expected::Places) {
            const QString name = QString::fromLatin1(place.control);
            auto* widget = w.form.findChild<QWidget*>(name);
            QVERIFY2(widget, qPrintable(name));
            QCOMPARE(widget->geometry(), QRect(place.left, place.top, place.width, place.height));
            QVERIFY(widget->isVisible());
        }
        QCOMPARE(w.families[0]->parentWidget(), w.form.findChild<QGroupBox*>("Frame1"));

        // Nothing on the form covers anything else (a screen reader's announcer takes no room).
        QList<QWidget*> onForm = w.form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        onForm.removeIf([](const QWidget* widget) { return widget->size().isEmpty(); });
        QCOMPARE(onForm.size(), 5);
        for (int i = 0; i < onForm.size(); ++i)
            for (int j = i + 1; j < onForm.size(); ++j)
                QVERIFY2(!onForm[i]->geometry().intersects(onForm[j]->geometry()),
                         qPrintable(onForm[i]->objectName() + " / " + onForm[j]->objectName()));
        // Only the names list shows the catalogue; no hidden list widgets carry the rest.
        QCOMPARE(w.form.findChildren<QListWidget*>().size(), 1);
        QCOMPARE(w.names->count(), 16);
        for (int p = 0; p < 16; ++p)
            QCOMPARE(w.names->item(p)->text(),
                     q(expected::Birds[static_cast<std::size_t>(p)].name));
        QVERIFY(!w.names->isSortingEnabled());
        QCOMPARE(w.names->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(w.box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(w.box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        for (auto* label : w.form.findChildren<QLabel*>())
            QCOMPARE(label->alignment(), Qt::AlignCenter);
        QCOMPARE(w.form.findChildren<QLabel*>()[0]->text(), QStringLiteral("Кривоклюн"));
        QCOMPARE(w.form.findChild<QLabel*>("Label1(1)")->text(),
                 QStringLiteral("род грабливи птици"));
        QCOMPARE(w.form.findChild<QGroupBox*>("Frame1")->title(),
                 QStringLiteral("сем. Грабливи птици"));
        for (int n = 0; n < 3; ++n)
            QCOMPARE(w.families[static_cast<std::size_t>(n)]->text(),
                     q(expected::FamilyCaptions[static_cast<std::size_t>(n)]));
    }

    void coloursInPaletteAndOnScreen() {
        Window w;
        QVERIFY(w.ready());
        const auto colour = [](expected::Rgb rgb) {
            return QColor(rgb.red, rgb.green, rgb.blue);
        };
        const QColor form = colour(expected::FormColour), label = colour(expected::LabelColour),
                     frame = colour(expected::FrameColour);
        // Rendered in device pixels: at a scale factor of 2 the window is drawn twice as large.
        const QImage shot = w.form.grab().toImage();
        const qreal scale = w.form.devicePixelRatioF();
        QCOMPARE(shot.size(),
                 (QSizeF(expected::ClientWidth, expected::ClientHeight) * scale).toSize());
        auto pixel = [&](QWidget* widget, QPoint at) {
            return QColor(shot.pixel((QPointF(widget->mapTo(&w.form, at)) * scale).toPoint()));
        };
        auto* frame1 = w.form.findChild<QGroupBox*>("Frame1");
        auto* label0 = w.form.findChild<QLabel*>("Label1(0)");
        auto* label1 = w.form.findChild<QLabel*>("Label1(1)");

        QCOMPARE(w.form.palette().color(w.form.backgroundRole()), form);
        QCOMPARE(pixel(&w.form, {2, 2}), form);
        QCOMPARE(pixel(&w.form, {575, 185}), form);
        for (QLabel* l : {label0, label1}) {
            QCOMPARE(l->palette().color(l->backgroundRole()), label);
            QVERIFY(l->autoFillBackground());
            QCOMPARE(pixel(l, {2, 2}), label);
            QCOMPARE(pixel(l, {l->width() - 3, l->height() - 3}), label);
        }
        QCOMPARE(frame1->palette().color(frame1->backgroundRole()), frame);
        QCOMPARE(pixel(frame1, {1, 1}), frame); // by the caption
        QCOMPARE(pixel(frame1, {frame1->width() - 5, frame1->height() - 5}), frame); // inside
        for (QRadioButton* b : w.families) {
            QCOMPARE(b->palette().color(b->backgroundRole()), frame);
            QCOMPARE(pixel(b, {b->width() - 2, 1}), frame);
        }
        QCOMPARE(w.names->palette().color(QPalette::Base), label);
        QCOMPARE(pixel(w.names->viewport(), {w.names->viewport()->width() - 3, 3}), label);
        // The info box keeps the platform's colours.
        QCOMPARE(w.box->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));
        QCOMPARE(pixel(w.box->viewport(),
                       {w.box->viewport()->width() - 3, w.box->viewport()->height() - 3}),
                 QApplication::palette().color(QPalette::Base));
        QCOMPARE(w.box->palette().color(QPalette::Text),
                 QApplication::palette().color(QPalette::Text));
    }

    void oneFontForEveryControl() {
        Window w;
        QVERIFY(w.ready());
        const QFont font = w.form.font();
        QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        QCOMPARE(QFontInfo(font).pixelSize(), 16);
        QVERIFY(QFontDatabase::writingSystems(QFontInfo(font).family())
                    .contains(QFontDatabase::Cyrillic));
        for (QWidget* widget : w.form.findChildren<QWidget*>()) {
            QVERIFY2(!widget->testAttribute(Qt::WA_SetFont), qPrintable(widget->objectName()));
            QCOMPARE(widget->font(), font);
        }
    }

    void captionsAndHeadingsFitTheirControls() {
        Window w;
        QVERIFY(w.ready());
        const QFontMetrics metrics(w.form.font());
        for (QLabel* label : w.form.findChildren<QLabel*>()) {
            QVERIFY(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width());
            QVERIFY(metrics.height() <= label->contentsRect().height());
        }
        auto* frame = w.form.findChild<QGroupBox*>("Frame1");
        QVERIFY(metrics.horizontalAdvance(frame->title()) < frame->width());
        QVERIFY(frame->contentsRect().top() <= w.families[0]->y());
        for (QRadioButton* b : w.families) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const QRect text =
                b->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, b);
            QVERIFY2(metrics.horizontalAdvance(b->text()) <= text.width(), qPrintable(b->text()));
            QVERIFY(metrics.height() <= b->height());
            QVERIFY(frame->contentsRect().contains(b->geometry()));
        }
        // The names fit the list without a horizontal scroll bar.
        for (int p = 0; p < w.names->count(); ++p)
            QVERIFY(metrics.horizontalAdvance(w.names->item(p)->text()) <
                    w.names->viewport()->width());
    }

    // One style serves the three family buttons, and it follows the application's style.
    void familyButtonsShareOneStyleThatFollowsTheApplication() {
        Window w;
        QVERIFY(w.ready());
        const QString before = QApplication::style()->name();
        const QString other = before.compare(QStringLiteral("fusion"), Qt::CaseInsensitive) == 0
                                  ? "windows"
                                  : "fusion";
        for (const QString& name : {before, other}) {
            if (name != before)
                QApplication::setStyle(name);
            auto* shared = qobject_cast<QProxyStyle*>(w.families[0]->style());
            QVERIFY(shared);
            QCOMPARE(shared->baseStyle()->name().toLower(), name.toLower());
            for (QRadioButton* b : w.families) {
                QCOMPARE(b->style(), shared);
                QCOMPARE(b->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, b),
                         3);
            }
        }
        QApplication::setStyle(before);
    }

    void tabOrderIsInfoBoxFamiliesNames() {
        Window w;
        QVERIFY(w.ready());
        QCOMPARE(QApplication::focusWidget(), w.box);
        w.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.families[0]);
        w.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.names);
        w.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.box);
        w.key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.names);
        w.key(Qt::Key_Backtab, Qt::ShiftModifier); // either way, the group's first stop
        QCOMPARE(QApplication::focusWidget(), w.families[0]);
        w.key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.box);
        // Once a family is checked (here by a bird's pick) the group is entered at that family.
        w.clickName(1);
        w.box->setFocus();
        w.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.families[2]);
        for (QWidget* passive : {static_cast<QWidget*>(w.form.findChild<QGroupBox*>("Frame1")),
                                 static_cast<QWidget*>(w.form.findChild<QLabel*>("Label1(0)")),
                                 static_cast<QWidget*>(w.form.findChild<QLabel*>("Label1(1)"))})
            QCOMPARE(passive->focusPolicy(), Qt::NoFocus);
        QCOMPARE(w.shown(), birdText(1));
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
