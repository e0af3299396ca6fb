#include "faultplan.h"

#include "abortcode.h"

namespace vsim {

namespace {

bool ToInt(const QString& text, int64_t& out, int base = 10) {
    bool ok = false;
    out = text.toLongLong(&ok, base);
    return ok;
}

}  // namespace

bool CFaultPlan::Knows(const QString& verb) {
    static const QStringList kVerbs = {
        "lose-every", "lose-prob", "corrupt-every", "corrupt-prob", "delay",       "silent-after",
        "silent-for", "talk",      "refuse",        "accept",       "clear-faults"};
    return kVerbs.contains(verb);
}

bool CFaultPlan::Chance(double p) {
    if (p <= 0)
        return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p;
}

bool CFaultPlan::Deaf(int64_t nowMs) const {
    return silentAfter == 0 || nowMs < silentUntilMs;
}

ReplyFate CFaultPlan::NextReply(int64_t nowMs) {
    (void)nowMs;
    ++exchanges_;
    if (silentAfter > 0)
        --silentAfter;
    ReplyFate fate;
    fate.delayMs = delayMs;
    if ((loseEvery > 0 && exchanges_ % uint64_t(loseEvery) == 0) || Chance(loseProbability))
        fate.send = false;
    if ((corruptEvery > 0 && exchanges_ % uint64_t(corruptEvery) == 0) ||
        Chance(corruptProbability))
        fate.corrupt = true;
    return fate;
}

uint32_t CFaultPlan::Refusal(uint32_t key) const {
    auto it = refused.find(key);
    return it == refused.end() ? 0 : it->second;
}

void CFaultPlan::Clear() {
    loseEvery = corruptEvery = delayMs = 0;
    loseProbability = corruptProbability = 0;
    silentAfter = -1;
    silentUntilMs = 0;
    refused.clear();
}

bool CFaultPlan::Apply(const QStringList& w, int64_t nowMs, QString& answer) {
    const QString verb = w.value(0);
    int64_t n = 0, code = kAbortCannotStore;
    bool ok = false;
    const double p = w.value(1).toDouble(&ok);
    const bool hasInt = ToInt(w.value(1), n);
    answer = "ok";
    if (verb == "clear-faults") {
        Clear();
    } else if (verb == "talk") {
        silentAfter = -1;
        silentUntilMs = 0;
    } else if (verb == "lose-prob" || verb == "corrupt-prob") {
        if (!ok || p < 0 || p > 1)
            return (answer = "probability 0..1 expected", false);
        (verb == "lose-prob" ? loseProbability : corruptProbability) = p;
    } else if (verb == "refuse" || verb == "accept") {
        if (!ToInt(w.value(1), n, 16) || n < 0 || n > 0xFFFFFF)
            return (answer = "object key IIIISS expected", false);
        if (verb == "accept") {
            refused.erase(uint32_t(n));
        } else {
            if (w.size() > 2 && !ToInt(w.value(2), code, 16))
                return (answer = "abort code in hex expected", false);
            refused[uint32_t(n)] = uint32_t(code);
        }
    } else if (!hasInt || n < -1) {
        return (answer = "number expected", false);
    } else if (verb == "lose-every") {
        loseEvery = int(n);
    } else if (verb == "corrupt-every") {
        corruptEvery = int(n);
    } else if (verb == "delay") {
        delayMs = int(n);
    } else if (verb == "silent-after") {
        silentAfter = n;
    } else if (verb == "silent-for") {
        silentUntilMs = nowMs + n;
    } else {
        return (answer = "unknown command", false);
    }
    return true;
}

QString CFaultPlan::Describe(int64_t nowMs) const {
    QString s = QString("lose-every %1 lose-prob %2 corrupt-every %3 corrupt-prob %4 delay %5")
                    .arg(loseEvery)
                    .arg(loseProbability)
                    .arg(corruptEvery)
                    .arg(corruptProbability)
                    .arg(delayMs);
    s += QString(" silent-after %1 silent-for %2 exchanges %3")
             .arg(silentAfter)
             .arg(nowMs < silentUntilMs ? silentUntilMs - nowMs : 0)
             .arg(exchanges_);
    for (const auto& [key, code] : refused)
        s += QString(" refuse %1 %2").arg(key, 6, 16, QChar('0')).arg(code, 8, 16, QChar('0'));
    return s;
}

}  // namespace vsim
