#include "form_definition.h"
#include "main_form.h"
#include "runtime_error.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

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

// Started from the desktop's menu, the program has no standard error anyone reads: without a box
// the window would just vanish. The box waits for the user; the program ends with status 1 after.
void showRuntimeError(std::string_view what) {
    presentation::reportOnStandardError(what);
    QMessageBox box(
        QMessageBox::Critical, QString::fromStdU16String(std::u16string(form::Label1[0].text)),
        QString::fromStdString(presentation::runtimeErrorMessage(what)), QMessageBox::Ok);
    box.exec();
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
    presentation::setRuntimeErrorReport(showRuntimeError);
    QApplication::setApplicationName(QStringLiteral("krivoklyun"));
    QApplication::setApplicationVersion(QStringLiteral(KRIVOKLYUN_VERSION));
    // Wayland desktops find the window's name and icon through the desktop entry of this name.
    QApplication::setDesktopFileName(QStringLiteral(KRIVOKLYUN_APP_ID));

    installAccessibility();
    MainForm form;
    form.show();
    return QApplication::exec();
}
