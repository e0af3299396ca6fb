#include <QApplication>
#include <QDir>
#include <QThread>

#include "app/global.h"
#include "app/guimsgbox.h"
#include "app/veltrixapp.h"
#include "platform/basefolder.h"
#include "platform/msgbox.h"
#include "resources/appicon.h"

int main(int argc, char** argv) {
    // Qt takes the first thread that asks for its thread data as the main thread: ask here,
    // before the settings object starts the loader and worker threads.
    QThread::currentThread();
    // An installed program started outside a base folder moves to the user's own, so the
    // current directory stays the base folder for everything that follows.
    const platform::BaseFolderChoice start = platform::ChooseStartFolder();
    if (start.perUser && start.error.isEmpty())
        QDir::setCurrent(start.folder);
    // Constructed before the application object; destroyed after it.
    static CGlobal global(start.folder);
    QApplication qtApp(argc, argv);
    // The program's own icon for every window; the desktop entry names the installed one.
    QApplication::setWindowIcon(resources::AppIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("veltoservo"));
    if (!start.error.isEmpty()) {
        guimsgbox::Install();
        platform::MessageBox(
            QStringLiteral("Cannot prepare the folder %1:\n%2").arg(start.folder, start.error),
            QStringLiteral("VeltoServo"), platform::MB_ICONERROR);
        guimsgbox::Uninstall();
        return 1;
    }
    int code = 0;
    {
        CVeltrixApp app(global);
        if (!app.InitInstance())
            return app.exitCode();
        code = QApplication::exec();
    }
    return code;
}
