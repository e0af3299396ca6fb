#include "support/msgbox_capture.h"

MsgBoxCapture::MsgBoxCapture(int answer) : answer_(answer) {
    previous_ = platform::SetMessageBoxHandler([this](const platform::MessageBoxCall& call) {
        std::lock_guard lock(mutex_);
        texts_.append(call.text);
        return answer_;
    });
}

MsgBoxCapture::~MsgBoxCapture() {
    platform::SetMessageBoxHandler(previous_);
}

QStringList MsgBoxCapture::Texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
}

int MsgBoxCapture::Count() const {
    std::lock_guard lock(mutex_);
    return texts_.size();
}

bool MsgBoxCapture::Contains(const QString& text) const {
    std::lock_guard lock(mutex_);
    return texts_.contains(text);
}

void MsgBoxCapture::Clear() {
    std::lock_guard lock(mutex_);
    texts_.clear();
}

void MsgBoxCapture::SetAnswer(int answer) {
    std::lock_guard lock(mutex_);
    answer_ = answer;
}
