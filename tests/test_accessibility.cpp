#include "window_fixture.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QGroupBox>
#include <QLabel>

namespace {

QAccessibleInterface* accessibleOf(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Every interface below the window, depth first, as a screen reader walks it.
void collect(QAccessibleInterface* node, QList<QAccessibleInterface*>& into) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        into.append(child);
        collect(child, into);
    }
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installAccessibility(); }

    void everyReachableControlIsNamedInBulgarian() {
        Window w;
        QVERIFY(w.ready());
        QList<QAccessibleInterface*> tree;
        collect(accessibleOf(&w.form), tree);

        auto findIn = [&](QObject* object) {
            const auto it = std::find_if(tree.begin(), tree.end(),
                                         [object](auto* node) { return node->object() == object; });
            return it == tree.end() ? nullptr : *it;
        };

        QAccessibleInterface* window = accessibleOf(&w.form);
        QCOMPARE(window->role(), QAccessible::Window);
        QVERIFY(window->text(QAccessible::Name)
                    .endsWith(QStringLiteral("Биология, семейство и род грабливи птици")));

        QAccessibleInterface* list = findIn(w.names);
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("род грабливи птици"));
        QVERIFY(list->state().focusable);

        QAccessibleInterface* group = findIn(w.form.findChild<QGroupBox*>("Frame1"));
        QVERIFY(group);
        QCOMPARE(group->role(), QAccessible::Grouping);
        QCOMPARE(group->text(QAccessible::Name), QStringLiteral("сем. Грабливи птици"));
        QVERIFY(!group->state().focusable);
        QCOMPARE(group->childCount(), 3);
        for (int n = 0; n < 3; ++n) {
            QAccessibleInterface* button = group->child(n);
            QCOMPARE(button->object(), w.families[static_cast<std::size_t>(n)]);
            QCOMPARE(button->role(), QAccessible::RadioButton);
            QCOMPARE(button->text(QAccessible::Name),
                     q(expected::FamilyCaptions[static_cast<std::size_t>(n)]));
            QVERIFY(button->state().checkable);
            QVERIFY(!button->state().checked);
        }

        QAccessibleInterface* box = findIn(w.box);
        QVERIFY(box);
        QCOMPARE(box->role(), QAccessible::EditableText);
        QCOMPARE(box->text(QAccessible::Name), QStringLiteral("Информация"));
        QVERIFY(box->state().focused);

        QAccessibleInterface* title = findIn(w.form.findChild<QLabel*>("Label1(0)"));
        QVERIFY(title);
        QCOMPARE(title->role(), QAccessible::StaticText);
        QCOMPARE(title->text(QAccessible::Name), QStringLiteral("Кривоклюн"));
    }

    void statesAndTextFollowTheUser() {
        Window w;
        QVERIFY(w.ready());
        w.clickName(12);

        QAccessibleInterface* family = accessibleOf(w.families[1]);
        QVERIFY(family->state().checked);
        QVERIFY(!accessibleOf(w.families[0])->state().checked);

        // The list announces the picked name as its selected item.
        QAccessibleInterface* list = accessibleOf(w.names);
        const QList<QAccessibleInterface*> items = [&] {
            QList<QAccessibleInterface*> all;
            collect(list, all);
            return all;
        }();
        const auto selected = std::count_if(items.begin(), items.end(),
                                            [](auto* item) { return item->state().selected; });
        QCOMPARE(selected, 1);
        const auto picked = std::find_if(items.begin(), items.end(),
                                         [](auto* item) { return item->state().selected; });
        QCOMPARE((*picked)->text(QAccessible::Name), q(expected::Birds[12].name));

        // The box's whole text is there for a reader, line breaks and all.
        QAccessibleTextInterface* text = accessibleOf(w.box)->textInterface();
        QVERIFY(text);
        const QString whole = text->text(0, text->characterCount());
        QCOMPARE(whole, w.box->toPlainText());
        QVERIFY(
            whole.startsWith(QStringLiteral("Семейство Соколови (Falconidae)\nРод: Планинска")));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
