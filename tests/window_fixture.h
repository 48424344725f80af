#pragma once

// The real window as a user meets it, with the means to act on it and to read it back, and the
// texts it must show.

#include "catalogue.h"
#include "expected.h"
#include "main_form.h"
#include "qt_text.h"
#include "shown_text.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <array>

// The texts with CR LF line breaks, as the program reads the box.
inline const QString StartupText = q(expected::StartupText);

inline QString birdText(int p) {
    const auto position = static_cast<std::size_t>(p);
    return q(expected::birdText(position, catalogue::Descriptions[position]));
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
        form.activateWindow();
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
