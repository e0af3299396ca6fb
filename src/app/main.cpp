#include <QApplication>
#include <QThread>

#include "app/global.h"
#include "app/veltrixapp.h"

int main(int argc, char** argv) {
    // Qt takes the first thread that asks for its thread data as the main thread: ask here,
    // before the settings object starts the loader and worker threads.
    QThread::currentThread();
    // Constructed before the application object; destroyed after it.
    static CGlobal global;
    QApplication qtApp(argc, argv);
    int code = 0;
    {
        CVeltrixApp app(global);
        if (!app.InitInstance())
            return app.exitCode();
        code = QApplication::exec();
    }
    return code;
}
