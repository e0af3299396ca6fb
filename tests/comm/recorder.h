#pragma once
// A message target that records what reaches it, and on which thread.
#include <QCoreApplication>
#include <QThread>
#include <QtTest/QTest>
#include <functional>
#include <vector>

#include "platform/messages.h"

class Recorder : public platform::MessageTarget {
public:
    struct Message {
        unsigned msg;
        std::int32_t w;  // as the receiver reads it back
        std::int32_t l;
    };

    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            ++offThread;
        messages.push_back({msg, static_cast<std::int32_t>(w), static_cast<std::int32_t>(l)});
        if (onMessage)
            onMessage(messages.back());
        return 0;
    }

    int Count(unsigned msg) const {
        int n = 0;
        for (const Message& m : messages) n += m.msg == msg;
        return n;
    }
    std::vector<std::int32_t> Keys(unsigned msg) const {
        std::vector<std::int32_t> keys;
        for (const Message& m : messages)
            if (m.msg == msg)
                keys.push_back(m.l);
        return keys;
    }

    std::vector<Message> messages;
    int offThread = 0;
    std::function<void(const Message&)> onMessage;
};

// Pumps the UI thread's events until the condition holds (generous limit: no timing claim).
inline bool WaitFor(const std::function<bool()>& condition, int limitMs = 10000) {
    return QTest::qWaitFor(condition, limitMs);
}
