// The lowest floor: a Qt window of the program's size with nothing in it.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(580, 345);
    window.show();
    return QApplication::exec();
}
