#pragma once
// The one message-box function of the program. The GUI installs a handler that shows a modal
// box; tests install one that records the texts; without a handler the text goes to stderr.
#include <QString>
#include <functional>

namespace platform {

enum MessageBoxFlags : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum MessageBoxResult : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

struct MessageBoxCall {
    QString text;
    QString caption;
    unsigned flags = MB_OK;
};
using MessageBoxHandler = std::function<int(const MessageBoxCall&)>;

// May be called from any thread; the handler decides how to reach the UI thread.
int MessageBox(const QString& text, const QString& caption = QString(), unsigned flags = MB_OK);

// Installs a handler and returns the previous one (an empty handler restores stderr output).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace platform
