#include "main_form.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

// Qt's own -platform option (also spelt --platform) chooses a platform that may need no display.
bool platformGiven(int argc, char* argv[]) {
    for (int n = 1; n < argc; ++n)
        if (std::strcmp(argv[n], "-platform") == 0 || std::strcmp(argv[n], "--platform") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
#if defined(Q_OS_LINUX)
    // Without this, Qt aborts with a core dump and a page of plugin advice.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !platformGiven(argc, argv)) {
        std::fprintf(stderr,
                     "krivoklyun: no graphical display (DISPLAY is not set); to run without one, "
                     "install the package xvfb and use: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("krivoklyun"));
    QApplication::setApplicationVersion(QStringLiteral(KRIVOKLYUN_VERSION));
    // Wayland desktops find the window's name and icon through the desktop entry of this name.
    QApplication::setDesktopFileName(QStringLiteral(KRIVOKLYUN_APP_ID));

    installAccessibility();
    MainForm form;
    form.show();
    return QApplication::exec();
}
