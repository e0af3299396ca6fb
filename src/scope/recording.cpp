#include "scope/recording.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cmath>

#include "dictionary/numberscan.h"
#include "platform/profile_document.h"

namespace recording {
namespace {

using platform::profile::Document;

const QString kSection = QStringLiteral("oscilloscope");
constexpr int kValueBuffer = 64;
constexpr int kMaxSamples = 65535;  // the drive's sample count is 16 bits

QString OneLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

void WriteChannel(QString& t, int k, const RecordingChannel& c) {
    t += QString::asprintf("ch%d check=%d\n", k, c.check ? 1 : 0);
    if (!c.check)
        return;
    t += QString::asprintf("ch%d item=%d\n", k, std::int32_t(c.item));
    t += QString::asprintf("ch%d scale=%f\n", k, c.scale);
    t += QString::asprintf("ch%d offset=%f\n", k, c.offset);
    t += QString::asprintf("ch%d unit coef=%f\n", k, c.unitCoefficient);
    t += QString::asprintf("ch%d unit=%d\n", k, c.unit);
    t += QString::asprintf("ch%d auto=%d\n", k, c.autoScale ? 1 : 0);
}

void WriteSamples(QString& t, const ChannelSamples& samples) {
    std::size_t longest = 0;
    for (const auto& s : samples) longest = std::max(longest, s.size());
    t.reserve(t.size() + qsizetype(longest * 4 * 20));
    for (std::size_t i = 0; i < longest; ++i) {
        const QString number = QString::number(i + 1);
        for (int k = 1; k <= 4; ++k) {
            const std::vector<double>& s = samples[std::size_t(k - 1)];
            if (i < s.size())  // "ch%d-%d=%.0f"
                t += QLatin1String("ch") + QString::number(k) + u'-' + number + u'=' +
                     QString::number(s[i], 'f', 0) + u'\n';
        }
    }
}

// The section's values as the profile reader gives them: cut to the buffer size.
class Values {
public:
    explicit Values(const QByteArray& bytes) : doc_(Parse(bytes)) {}
    QString Text(const QString& key) const {
        const auto* e = doc_.Find(kSection, key);
        return e ? e->value.left(kValueBuffer - 1) : QString();
    }
    std::int64_t Integer(const QString& key) const {
        std::int64_t v = 0;
        numberscan::LeadingInteger(Text(key), v);
        return v;
    }
    int Int(const QString& key) const { return int(std::int32_t(Integer(key))); }
    double Real(const QString& key) const {
        double v = 0;
        numberscan::LeadingDecimal(Text(key), v);
        return std::isfinite(v) ? v : 0.0;
    }
    const Document& Doc() const { return doc_; }

private:
    static Document Parse(const QByteArray& bytes) {
        QByteArrayView view(bytes);
        if (view.startsWith("\xFF\xFE"))
            view = view.sliced(2);
        QStringDecoder utf16(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        const QString text = utf16(view);
        return Document::FromBytes(text.toUtf8());
    }
    Document doc_;
};

// "ch<k>-<i>" as the profile reader would match it: the channel digit, "-", a plain number.
bool SampleKey(const QString& folded, int& channel, int& number) {
    if (folded.size() < 5 || !folded.startsWith(QLatin1String("ch")) || folded.at(3) != u'-')
        return false;
    channel = folded.at(2).digitValue();
    const QStringView digits = QStringView(folded).sliced(4);
    if (channel < 1 || channel > 4 || digits.front() == u'0' || digits.size() > 5)
        return false;
    bool ok = false;
    number = digits.toInt(&ok);
    return ok && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
}

// Samples 1..count of the ticked channels; a sample missing from the file reads as 0.
void ReadSamples(const Values& values, ScopeRecording& r) {
    const int count = std::clamp(r.sampleCount, 0, kMaxSamples);
    std::array<std::vector<bool>, 4> seen;
    for (int k = 0; k < 4; ++k) {
        if (!r.channels[std::size_t(k)].check)
            continue;
        r.samples[std::size_t(k)].assign(std::size_t(count), 0.0);
        seen[std::size_t(k)].assign(std::size_t(count), false);
    }
    for (const auto* section : values.Doc().FindSections(kSection)) {
        for (const auto& entry : section->entries) {
            int k = 0, n = 0;
            if (!SampleKey(platform::profile::Fold(entry.key), k, n) || n > count)
                continue;
            auto& taken = seen[std::size_t(k - 1)];
            if (taken.empty() || taken[std::size_t(n - 1)])
                continue;  // not ticked, or the first of equal keys holds
            taken[std::size_t(n - 1)] = true;
            std::int64_t v = 0;
            numberscan::LeadingInteger(entry.value.left(kValueBuffer - 1), v);
            r.samples[std::size_t(k - 1)][std::size_t(n - 1)] = double(v);
        }
    }
}

void ReadChannel(const Values& v, int k, RecordingChannel& c) {
    const QString ch = QStringLiteral("ch%1 ").arg(k);
    c.check = v.Int(ch + "check") != 0;
    if (!c.check)
        return;
    c.item = std::int64_t(std::uint32_t(v.Integer(ch + "item")));
    c.scale = v.Real(ch + "scale");
    c.offset = v.Real(ch + "offset");
    c.unitCoefficient = v.Real(ch + "unit coef");
    c.unit = v.Int(ch + "unit");
    c.autoScale = v.Int(ch + "auto") != 0;
}

}  // namespace

QByteArray Write(const ScopeRecording& r) {
    QString t = QStringLiteral("[oscilloscope]\n");
    t += QString::asprintf("time=%d\n", r.samplePeriod);
    t += QString::asprintf("offset=%d\n", r.pointerOffset);
    t += QString::asprintf("number=%d\n", r.sampleCount);
    t += QString::asprintf("trigger item=%d\n", r.triggerItem);
    t += QString::asprintf("trigger item value=%d\n", std::int32_t(r.triggerKey));
    t += QStringLiteral("trigger collect value=") + OneLine(r.triggerLevel) + u'\n';
    t += QString::asprintf("trigger collect unit=%d\n", r.triggerUnit);
    t += QString::asprintf("continue=%d\n", r.continuous ? 1 : 0);
    for (int k = 1; k <= 4; ++k) WriteChannel(t, k, r.channels[std::size_t(k - 1)]);
    WriteSamples(t, r.samples);
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::Stateless);
    return utf16(t);
}

ScopeRecording Read(const QByteArray& bytes) {
    const Values v(bytes);
    ScopeRecording r;
    r.samplePeriod = v.Int("time");
    r.pointerOffset = v.Int("offset");
    r.sampleCount = v.Int("number");
    r.triggerItem = v.Int("trigger item");
    r.triggerKey = v.Integer("trigger item value");
    r.triggerLevel = v.Text("trigger collect value");
    r.triggerUnit = v.Int("trigger collect unit");
    r.continuous = v.Int("continue") != 0;
    for (int k = 1; k <= 4; ++k) ReadChannel(v, k, r.channels[std::size_t(k - 1)]);
    ReadSamples(v, r);
    return r;
}

bool IsRecording(const QByteArray& bytes) {
    return !Values(bytes).Doc().FindSections(kSection).empty();
}

}  // namespace recording
