#include <QApplication>
#include <QMainWindow>

#include "app/global.h"

int main(int argc, char** argv) {
    // Constructed before the application object; destroyed after it.
    static CGlobal global;
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("VeltoServo");
    window.resize(1024, 768);
    window.show();
    return app.exec();
}
