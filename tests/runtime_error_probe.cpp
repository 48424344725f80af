// Loaded into the real program with LD_PRELOAD, as a user who could do what no user can: once the
// window is up, it makes the names list longer than the catalogue behind it and clicks a family,
// whose listing then reads a family code past the catalogue's end. It prints the message box that
// this brings up and presses the box's OK.

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

void answerTheBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
        QTimer::singleShot(20, answerTheBox);
        return;
    }
    std::printf("message box \"%s\": %s\n", qPrintable(box->windowTitle()),
                qPrintable(box->text().replace(u'\n', QStringLiteral("\\n"))));
    std::fflush(stdout);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
}

void clickAFamilyWithOneNameTooMany() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* names = window->findChild<QListWidget*>();
        auto* family = window->findChild<QRadioButton*>();
        if (!window->isVisible() || !names || !family)
            continue;
        names->addItem(QStringLiteral("Орел"));
        QTimer::singleShot(0, answerTheBox); // runs while the box waits
        QTest::mouseClick(family, Qt::LeftButton);
        return;
    }
    QTimer::singleShot(20, clickAFamilyWithOneNameTooMany);
}

void start() {
    QTimer::singleShot(0, clickAFamilyWithOneNameTooMany);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(start)
