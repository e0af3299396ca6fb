#pragma once
// Faults injected into the drive's answers: lost, corrupted, late or missing replies and
// refused objects. Set by options at start and by the control channel while running.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <random>

namespace vsim {

struct ReplyFate {
    bool send = true;
    bool corrupt = false;  // serial: wrong checksum
    int delayMs = 0;
};

class CFaultPlan {
public:
    CFaultPlan() : random_(20261208) {}

    // True while the drive ignores requests altogether (silence).
    bool Deaf(int64_t nowMs) const;
    // Decides the fate of the next reply; counts the exchange.
    ReplyFate NextReply(int64_t nowMs);
    // Abort code for a refused object, or 0.
    uint32_t Refusal(uint32_t key) const;

    // Applies one command ("lose-every 3", "refuse 604100 08000020", ...); false with a
    // message when the command is not one of this plan's. Also used for command-line options.
    bool Apply(const QStringList& words, int64_t nowMs, QString& answer);
    QString Describe(int64_t nowMs) const;
    void Clear();
    static bool Knows(const QString& verb);

    int loseEvery = 0;
    double loseProbability = 0;
    int corruptEvery = 0;
    double corruptProbability = 0;
    int delayMs = 0;
    int64_t silentAfter = -1;  // exchanges until silence, -1 = never
    int64_t silentUntilMs = 0;
    std::map<uint32_t, uint32_t> refused;  // key -> abort code

private:
    bool Chance(double p);

    uint64_t exchanges_ = 0;
    std::mt19937 random_;
};

}  // namespace vsim
