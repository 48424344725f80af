#pragma once

// The real window as a user meets it, with the means to act on it and to read it back, and the
// texts it must show.

#include "catalogue.h"
#include "expected.h"
#include "main_form.h"
#include "qt_text.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <array>

inline const QString StartupText = QStringLiteral(
    "Грабливи птици е несистематично, сборно название за семействата: Совови (Strigidae), "
    "Соколови (Falconidae) и Ястребови (Accipitridae).\r\n"
    "Да се реализира проект, представящ междупредметни връзки Биология и Информатика.\r\n"
    "Тема на проекта: Кривоклюн.\r\n"
    "Чрез две отделни група радиобутони да се представят познати видове семейства и родове "
    "грабливи птици. Двете групи имат различен брой елементи. При събитие On-Click върху елемент "
    "от първата група да се извежда в текстово поле названията на родовете грабливи птици, а при "
    "събитие On-Click върху елемент от втората група да се извежда кратко описание за "
    "съответния род.\r\n"
    "Имената и в двете групи да са подредени по азбучен ред.\r\n"
    "В реализирания проект са представени следните грабливи птици: Белошипа ветрушка, Блатар, "
    "Бухал, Горска улулица, Горска ушата сова, Каня, Керкенез, Ловен сокол, Малка кукумявка, "
    "Мишелов, Морски орел, Орел змияр, Планинска каракара, Сокол орко, Торхъл и Чухал\r\n"
    "Съберете допълнителен материал за познати семейства и родове грабливи птици.\r\n");

inline QString birdText(int p) {
    const expected::Bird& bird = expected::Birds[static_cast<std::size_t>(p)];
    return "Семейство " + q(expected::FamilyCaptions[static_cast<std::size_t>(bird.family)]) +
           "\r\nРод: " + q(bird.name) + "\r\n" +
           q(catalogue::Descriptions[static_cast<std::size_t>(p)]);
}

inline QString listing(int n) {
    return q(expected::FamilyListings[static_cast<std::size_t>(n)]);
}

inline int membersOf(int n) {
    return static_cast<int>(std::count_if(expected::Birds.begin(), expected::Birds.end(),
                                          [n](const expected::Bird& b) { return b.family == n; }));
}

// The window shown and active, its controls found by their names. Every action clears the count of
// writes to the info box first, so a test can tell how many times a handler ran.
struct Window {
    MainForm form;
    QListWidget* names = nullptr;
    QPlainTextEdit* box = nullptr;
    std::array<QRadioButton*, 3> families{};
    QSignalSpy* writes = nullptr;

    Window() {
        names = form.findChild<QListWidget*>(QStringLiteral("List1(0)"));
        box = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1(0)"));
        for (int n = 0; n < 3; ++n)
            families[static_cast<std::size_t>(n)] =
                form.findChild<QRadioButton*>(QStringLiteral("Option1(%1)").arg(n));
        form.show();
        QApplication::setActiveWindow(&form);
        writes = new QSignalSpy(box, &QPlainTextEdit::textChanged);
    }
    ~Window() { delete writes; }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    bool ready() { return names && box && families[2] && QTest::qWaitForWindowActive(&form); }

    // Read independently of the program's own read: the document's lines, joined by CR LF.
    QString shown() const { return box->toPlainText().replace(u'\n', QStringLiteral("\r\n")); }

    void clickName(int p) {
        QListWidgetItem* item = names->item(p);
        names->scrollToItem(item);
        writes->clear();
        QTest::mouseClick(names->viewport(), Qt::LeftButton, {},
                          names->visualItemRect(item).center());
    }
    void clickFamily(int n) {
        QRadioButton* button = families[static_cast<std::size_t>(n)];
        writes->clear();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        writes->clear();
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    int checkedFamily() const {
        for (int n = 0; n < 3; ++n)
            if (families[static_cast<std::size_t>(n)]->isChecked())
                return n;
        return -1;
    }
    int highlightedName() const {
        const auto rows = names->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : (rows.isEmpty() ? -1 : -2);
    }
    int busy() const { return form.formState().Busy; }
};
