// What one click costs through the real widgets, beside one plain write of the text it ends with.
// A click on the name or family button that is already selected runs the whole handler every
// time (the box is rewritten from scratch), so every iteration does the same work.

#include "main_form.h"
#include "shown_text.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

class ClickBench : public QObject {
    Q_OBJECT

    MainForm* form_ = nullptr;
    QListWidget* names_ = nullptr;
    QPlainTextEdit* box_ = nullptr;

    QRadioButton* button(int n) const {
        return form_->findChild<QRadioButton*>(QStringLiteral("Option1(%1)").arg(n));
    }

    void clickName(int p) {
        QListWidgetItem* item = names_->item(p);
        names_->scrollToItem(item);
        QTest::mouseClick(names_->viewport(), Qt::LeftButton, Qt::NoModifier,
                          names_->visualItemRect(item).center());
    }

    void clickFamily(int n) {
        QTest::mouseClick(button(n), Qt::LeftButton, Qt::NoModifier,
                          QPoint(10, button(n)->height() / 2));
    }

    QString shown() const {
        return box_->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }

private slots:
    void init() {
        form_ = new MainForm;
        names_ = form_->findChild<QListWidget*>(QStringLiteral("List1(0)"));
        box_ = form_->findChild<QPlainTextEdit*>(QStringLiteral("Text1(0)"));
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_));
    }
    void cleanup() { delete form_; }

    // The longest and the shortest description.
    void birdClick_data() {
        QTest::addColumn<int>("bird");
        QTest::newRow("bird 4, longest description") << 4;
        QTest::newRow("bird 5, shortest description") << 5;
    }
    void birdClick() {
        QFETCH(int, bird);
        clickName(bird);
        QBENCHMARK {
            clickName(bird);
        }
        QCOMPARE(shown(), shown::bird(bird));
    }
    void birdPlainWrite_data() { birdClick_data(); }
    void birdPlainWrite() {
        QFETCH(int, bird);
        const QString text = shown::bird(bird);
        QBENCHMARK {
            box_->setPlainText(text);
        }
        QCOMPARE(shown(), text);
    }

    // The largest and the smallest family.
    void familyClick_data() {
        QTest::addColumn<int>("family");
        QTest::newRow("family 1, six birds") << 1;
        QTest::newRow("family 0, five birds") << 0;
    }
    void familyClick() {
        QFETCH(int, family);
        clickFamily(family);
        QBENCHMARK {
            clickFamily(family);
        }
        QCOMPARE(shown(), shown::family(family));
    }
    void familyPlainWrite_data() { familyClick_data(); }
    void familyPlainWrite() {
        QFETCH(int, family);
        const QString text = shown::family(family);
        QBENCHMARK {
            box_->setPlainText(text);
        }
        QCOMPARE(shown(), text);
    }
};

QTEST_MAIN(ClickBench)
#include "bench_clicks.moc"
