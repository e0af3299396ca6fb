#include "ctl/scopecommand.h"

#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "ctl/scopeargs.h"
#include "ctl/scopecapture.h"
#include "ctl/session.h"
#include "ctl/valuereader.h"
#include "dictionary/objectkey.h"
#include "dictionary/sdocommand.h"
#include "scope/exportfiles.h"
#include "scope/mygraph.h"
#include "scope/recording.h"
#include "scope/scopeobjects.h"

using namespace scope;

const char* const kScopeUsage =
    "usage: veltoctl scope --channel N=INDEX:SUB... [--trigger INDEX:SUB --level RAW\n"
    "                      --edge rising|falling] --period N --count N [--offset N]\n"
    "                      --csv FILE [--txt FILE]\n"
    "Records one capture of the drive's oscilloscope. Channels N = 1..4: an object narrower\n"
    "than 32 bits goes to the channel's own source, a 32-bit one to its pair's (channels 1/2,\n"
    "3/4 share one); source slots not asked for are emptied first. Without --trigger the\n"
    "capture starts at once. --period in 62.5 us steps, --offset the samples before the\n"
    "trigger. Writes the samples as CSV, and the text recording with --txt. Exit 0 with a\n"
    "complete recording, 2 when the drive refuses a setting, 3 without a link or when the\n"
    "upload breaks off.\n";

namespace {

void Err(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

// One setting written and checked: a drive that keeps another value refuses it.
int WriteSetting(CtlSession& session, std::uint8_t command, std::int32_t key, std::uint32_t value) {
    LinkReply reply;
    if (!session.Exchange(command, key, std::int32_t(value), reply)) {
        Err(NoAnswerText(session) + QStringLiteral(" writing ") + ObjectKeyText(key));
        return kExitNoLink;
    }
    const std::uint32_t mask = command == sdo::Write1   ? 0xFFu
                               : command == sdo::Write2 ? 0xFFFFu
                                                        : 0xFFFFFFFFu;
    const auto kept = std::uint32_t(reply.wParam) & mask;
    if (reply.msg == platform::WM_LINK_ABORT || kept != (value & mask)) {
        Err(QStringLiteral("refused: %1 := %2 (the drive keeps %3)")
                .arg(ObjectKeyText(key))
                .arg(value & mask)
                .arg(kept));
        return kExitRefused;
    }
    return kExitOk;
}

struct Setting {
    std::uint8_t command;
    int sub;
    std::uint32_t value;
};

std::vector<Setting> Settings(const SourcePlan& plan, const ScopeArgs& a, std::uint32_t trigger) {
    std::vector<Setting> out;
    // Emptied slots first: a drive keeps the sources of its last capture.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 4; ++i)
            if ((plan.source16[std::size_t(i)] != 0) == (pass == 1))
                out.push_back({sdo::Write4, kSource1 + i, plan.source16[std::size_t(i)]});
        for (int i = 0; i < 2; ++i)
            if ((plan.source32[std::size_t(i)] != 0) == (pass == 1))
                out.push_back({sdo::Write4, kSource12 + i, plan.source32[std::size_t(i)]});
    }
    out.push_back({sdo::Write2, kPeriod, std::uint32_t(a.period)});
    out.push_back({sdo::Write2, kSampleCount, std::uint32_t(a.count)});
    if (a.offset)
        out.push_back({sdo::Write2, kPointerOffset, std::uint32_t(*a.offset)});
    out.push_back({sdo::Write4, kTriggerSource, trigger});
    if (trigger != 0) {
        out.push_back({sdo::Write1, kTriggerEdge, std::uint32_t(a.edge)});
        out.push_back({sdo::Write4, kTriggerLevel, std::uint32_t(a.level)});
    }
    return out;
}

// The text recording of the capture, scaled as the page would show it.
ScopeRecording Recording(const ScopeArgs& a, const SourcePlan& plan, const ChannelSamples& s) {
    ScopeRecording r;
    r.samplePeriod = a.period;
    r.pointerOffset = a.offset.value_or(0);
    r.sampleCount = a.count;
    r.triggerItem = a.triggerKey != 0 ? 1 : 0;
    r.triggerKey = a.triggerKey;
    r.triggerLevel = QString::number(a.level);
    r.samples = s;
    CMyGraph graph;
    graph.SetArea({0, 20, 1250, 460});
    for (int k = 1; k <= 4; ++k)
        for (double v : s[std::size_t(k - 1)]) graph.AddPoint(k, v);
    graph.Zoom(-1);
    graph.AutoScale();
    for (int k = 1; k <= 4; ++k) {
        const std::uint32_t code = plan.codes[std::size_t(k - 1)];
        if (code != 0)
            r.channels[std::size_t(k - 1)] = {
                true, MappingEntry(code), graph.GetScale(k), graph.GetOffset(k), 1, 0, true};
    }
    return r;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    Err(QStringLiteral("cannot write %1").arg(path));
    return false;
}

int Capture(CtlSession& session, const ScopeArgs& a, const SourcePlan& plan) {
    CtlCapture capture(session.Global());
    const CaptureEnd end = capture.Run(session);
    if (end != CaptureEnd::Uploaded) {
        Err(end == CaptureEnd::LinkLost ? NoAnswerText(session) : capture.Status());
        return kExitNoLink;
    }
    const CSampleBuffer& buffer = capture.Buffer();
    const ChannelSamples samples = DecodeSamples(buffer.Data(), buffer.Used(), LayoutOf(plan));
    if (!WriteFile(a.csv, exportfiles::Csv(samples)))
        return kExitUsage;
    if (!a.txt.isEmpty() && !WriteFile(a.txt, recording::Write(Recording(a, plan, samples))))
        return kExitUsage;
    return kExitOk;
}

}  // namespace

int RunScope(const CtlOptions& o) {
    ScopeArgs a;
    QString error;
    if (!ParseScopeArgs(o.arguments, o.count, a, error)) {
        Err("veltoctl: " + error);
        return kExitUsage;
    }
    auto session = std::make_unique<CtlSession>(o);
    if (!session->LoadDictionary())
        return kExitUsage;
    CGlobal& g = session->Global();
    SourcePlan plan;
    std::uint32_t trigger = 0;
    if (!PlanSources(g.dictionary, a.channels, plan, error)) {
        Err(error);
        return kExitUsage;
    }
    if (a.triggerKey != 0 && !MakeItemCode(g.dictionary, a.triggerKey, trigger)) {
        Err(QStringLiteral("trigger: %1 is not an 8-, 16- or 32-bit object of the dictionary")
                .arg(ObjectKeyText(a.triggerKey)));
        return kExitUsage;
    }
    if (int status = session->OpenLink(error)) {
        Err(error);
        return status;
    }
    for (const Setting& s : Settings(plan, a, MappingEntry(trigger)))
        if (int status = WriteSetting(*session, s.command, Key(s.sub), s.value))
            return status;
    return Capture(*session, a, plan);
}
