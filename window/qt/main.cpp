#include "main_form.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
#if defined(Q_OS_LINUX)
    // Without this, Qt aborts with a core dump and a page of plugin advice.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "krivoklyun: no graphical display (DISPLAY is not set); to run without one, "
                     "use: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("krivoklyun"));
    QApplication::setApplicationVersion(QStringLiteral(KRIVOKLYUN_VERSION));
    // Wayland desktops find the window's name and icon through the desktop entry of this name.
    QApplication::setDesktopFileName(QStringLiteral(KRIVOKLYUN_APP_ID));

    MainForm form;
    form.show();
    return QApplication::exec();
}
