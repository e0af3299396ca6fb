#include <QApplication>

#include "app/global.h"
#include "app/veltrixapp.h"

int main(int argc, char** argv) {
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
