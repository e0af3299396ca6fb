#include "platform/msgbox.h"

#include <cstdio>
#include <mutex>

namespace platform {
namespace {
std::mutex g_mutex;
MessageBoxHandler g_handler;
}  // namespace

int MessageBox(const QString& text, const QString& caption, unsigned flags) {
    MessageBoxHandler handler;
    {
        std::lock_guard lock(g_mutex);
        handler = g_handler;
    }
    if (handler)
        return handler(MessageBoxCall{text, caption, flags});
    QByteArray line = (caption.isEmpty() ? text : caption + ": " + text).toUtf8();
    std::fprintf(stderr, "%s\n", line.trimmed().constData());
    if (flags & MB_YESNO)
        return IDNO;
    return (flags & MB_OKCANCEL) ? IDCANCEL : IDOK;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard lock(g_mutex);
    MessageBoxHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

}  // namespace platform
