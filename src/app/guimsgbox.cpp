#include "app/guimsgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "platform/msgbox.h"

namespace guimsgbox {
namespace {

bool g_installed = false;

QMessageBox::StandardButtons ButtonsOf(unsigned flags) {
    if (flags & platform::MB_YESNO)
        return QMessageBox::Yes | QMessageBox::No;
    if (flags & platform::MB_OKCANCEL)
        return QMessageBox::Ok | QMessageBox::Cancel;
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(unsigned flags) {
    switch (flags & 0xF0) {
        case platform::MB_ICONERROR:
            return QMessageBox::Critical;
        case platform::MB_ICONQUESTION:
            return QMessageBox::Question;
        case platform::MB_ICONWARNING:
            return QMessageBox::Warning;
        case platform::MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::Warning;
    }
}

int ResultOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return platform::IDYES;
        case QMessageBox::No:
            return platform::IDNO;
        case QMessageBox::Cancel:
            return platform::IDCANCEL;
        default:
            return platform::IDOK;
    }
}

int ShowOnUiThread(const platform::MessageBoxCall& call) {
    QString caption = call.caption.isEmpty() ? QStringLiteral("VeltoServo") : call.caption;
    QMessageBox box(IconOf(call.flags), caption, call.text, ButtonsOf(call.flags),
                    QApplication::activeWindow());
    return ResultOf(box.exec());
}

int Show(const platform::MessageBoxCall& call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return platform::IDOK;
    if (QThread::currentThread() == app->thread())
        return ShowOnUiThread(call);
    int result = platform::IDOK;
    QMetaObject::invokeMethod(
        app, [&result, call] { result = ShowOnUiThread(call); }, Qt::BlockingQueuedConnection);
    return result;
}

}  // namespace

void Install() {
    if (g_installed)
        return;
    // A handler already in place (tests record the texts) is kept.
    platform::MessageBoxHandler previous = platform::SetMessageBoxHandler(Show);
    if (previous) {
        platform::SetMessageBoxHandler(std::move(previous));
        return;
    }
    g_installed = true;
}

void Uninstall() {
    if (!g_installed)
        return;
    platform::SetMessageBoxHandler(nullptr);
    g_installed = false;
}

}  // namespace guimsgbox
