#include "scope/sourceplan.h"

#include "scope/scopeobjects.h"

using namespace scope;

bool PlanSources(const CAllSdo& dictionary, const std::vector<ChannelRequest>& requests,
                 SourcePlan& plan, QString& error) {
    plan = SourcePlan{};
    for (const ChannelRequest& r : requests) {
        const QString object = QString::asprintf("%04X:%02X", (r.key >> 8) & 0xFFFF, r.key & 0xFF);
        if (r.channel < 1 || r.channel > 4) {
            error = QStringLiteral("channel %1: channels are 1 to 4").arg(r.channel);
            return false;
        }
        std::uint32_t code = 0;
        if (!MakeItemCode(dictionary, r.key, code) || ItemWidth(code) < 16) {
            error = QStringLiteral("channel %1: %2 is not a 16- or 32-bit object of the dictionary")
                        .arg(r.channel)
                        .arg(object);
            return false;
        }
        if (plan.codes[std::size_t(r.channel - 1)] != 0) {
            error = QStringLiteral("channel %1 is given twice").arg(r.channel);
            return false;
        }
        const int sub = SourceSub(r.channel, code);
        if (sub >= kSource12) {
            std::uint32_t& slot = plan.source32[std::size_t(sub - kSource12)];
            if (slot != 0) {
                error =
                    QStringLiteral("channels %1 and %2 share one 32-bit source: %3 does not fit")
                        .arg(r.channel <= 2 ? 1 : 3)
                        .arg(r.channel <= 2 ? 2 : 4)
                        .arg(object);
                return false;
            }
            slot = MappingEntry(code);
        } else {
            plan.source16[std::size_t(sub - kSource1)] = MappingEntry(code);
        }
        plan.codes[std::size_t(r.channel - 1)] = code;
    }
    return true;
}

RecordLayout LayoutOf(const SourcePlan& plan) {
    RecordLayout layout;
    layout.source16 = plan.source16;
    layout.source32 = plan.source32;
    for (std::size_t k = 0; k < 4; ++k) {
        layout.ticked[k] = plan.codes[k] != 0;
        layout.isSigned[k] = ItemSigned(plan.codes[k]);
        layout.entry[k] = MappingEntry(plan.codes[k]);
    }
    return layout;
}
