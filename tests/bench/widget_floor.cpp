// The widget floor: the window's kinds of widgets at the window's places, in its font and colours,
// with placeholder texts and no data or logic. What the real program costs beyond this is what its
// own code and data cost.

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

void fill(QWidget& widget, QPalette::ColorRole role, QColor colour, bool autoFill) {
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(autoFill);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QColor formColour(192, 192, 255);
    const QColor labelColour(255, 192, 128);
    const QColor frameColour(128, 255, 128);

    QWidget window;
    window.setFixedSize(580, 345);
    fill(window, window.backgroundRole(), formColour, true);
    QFont font(QStringLiteral("Times New Roman"), 12, QFont::Normal);
    font.setStyleHint(QFont::Serif);
    window.setFont(font);

    auto* title = new QLabel(QStringLiteral("Label 0"), &window);
    title->setGeometry(64, 0, 305, 25);
    auto* heading = new QLabel(QStringLiteral("Label 1"), &window);
    heading->setGeometry(216, 40, 353, 20);
    for (QLabel* label : {title, heading}) {
        label->setAlignment(Qt::AlignCenter);
        fill(*label, label->backgroundRole(), labelColour, true);
    }

    auto* frame = new QGroupBox(QStringLiteral("Frame"), &window);
    frame->setGeometry(8, 40, 201, 81);
    fill(*frame, frame->backgroundRole(), frameColour, true);
    const int tops[] = {24, 40, 56};
    const int widths[] = {169, 169, 185};
    for (int n = 0; n < 3; ++n) {
        auto* option = new QRadioButton(QStringLiteral("Option %1").arg(n), frame);
        option->setGeometry(8, tops[n], widths[n], 19);
        fill(*option, option->backgroundRole(), frameColour, false);
    }

    auto* list = new QListWidget(&window);
    list->setGeometry(216, 60, 353, 118);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fill(*list, QPalette::Base, labelColour, false);

    auto* box = new QPlainTextEdit(QStringLiteral("Text"), &window);
    box->setGeometry(8, 192, 561, 145);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    window.show();
    return QApplication::exec();
}
