#pragma once
// Records every message box shown while it lives, and answers them with a chosen result.
#include <QStringList>
#include <mutex>

#include "platform/msgbox.h"

class MsgBoxCapture {
public:
    explicit MsgBoxCapture(int answer = platform::IDOK);
    ~MsgBoxCapture();

    QStringList Texts() const;
    int Count() const;
    bool Contains(const QString& text) const;
    void Clear();
    void SetAnswer(int answer);

private:
    mutable std::mutex mutex_;
    QStringList texts_;
    int answer_;
    platform::MessageBoxHandler previous_;
};
