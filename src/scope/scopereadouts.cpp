#include "scope/scopereadouts.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <cmath>

#include "scope/mygraph.h"
#include "scope/scopechannels.h"
#include "scope/scopepagehost.h"

namespace {

// String resources 1183 and 1182; the English texts come from the catalog.
QString DataCaption() {
    return QCoreApplication::translate("CDriverOscillo", "数据(%s)");
}
QString TimeCaption() {
    return QCoreApplication::translate("CDriverOscillo", "时间(%s)");
}

struct TimeUnit {
    const char* name;
    double divisor;
};

TimeUnit UnitFor(double microseconds) {
    if (microseconds < 1000)
        return {"us", 1};
    if (microseconds <= 1000000)
        return {"ms", 1000};
    return {"s", 1000000};
}

}  // namespace

CScopeReadouts::CScopeReadouts(CMyGraph& graph, CScopeChannels& channels, IScopePage& page,
                               const ReadoutControls& controls)
    : graph_(graph), channels_(channels), page_(page), c_(controls) {
    for (int mode = 0; mode < 3; ++mode)
        connect(c_.mode[std::size_t(mode)], &QRadioButton::clicked, this,
                [this, mode] { OnMode(mode); });
    for (int i = 0; i < 2; ++i)
        connect(c_.cursor[std::size_t(i)], &QSlider::valueChanged, this,
                [this, i](int position) { OnSlider(i + 1, position); });
    connect(c_.channel, &QComboBox::activated, this, [this] { Refresh(); });
}

void CScopeReadouts::Initialise() {
    const int positions[2] = {230, 650};
    for (int i = 0; i < 2; ++i) {
        QSlider* s = c_.cursor[std::size_t(i)];
        s->setRange(1, graph_.PlotWidth() - 4);
        s->setValue(positions[i]);
        graph_.setCursor(i + 1, positions[i]);
    }
    c_.mode[0]->setChecked(true);
    OnMode(0);
    SetCaptions(QStringLiteral("DEC"), QStringLiteral("us"));
}

void CScopeReadouts::SetCaptions(const QString& dataUnit, const QString& timeUnit) {
    c_.dataCaption->setText(DataCaption().replace(QLatin1String("%s"), dataUnit));
    c_.timeCaption->setText(TimeCaption().replace(QLatin1String("%s"), timeUnit));
}

void CScopeReadouts::OnMode(int mode) {
    graph_.setCursorMode(mode);
    c_.cursor[0]->setEnabled(mode >= 1);
    c_.cursor[1]->setEnabled(mode == 2);
    Refresh();
    page_.Redraw();
}

void CScopeReadouts::OnSlider(int which, int position) {
    graph_.setCursor(which, position);
    Refresh();
    page_.Redraw();
}

void CScopeReadouts::Refresh() {
    for (int i = 0; i < 3; ++i) {
        c_.time[std::size_t(i)]->setText(QStringLiteral("0"));
        c_.value[std::size_t(i)]->setText(QStringLiteral("0"));
    }
    const int channel = c_.channel->currentIndex() + 1;
    const int mode = graph_.CursorMode();
    if (channel < 1 || mode == 0 || !channels_.Ticked(channel))
        return;
    double value[2] = {0, 0}, ordinal[2] = {0, 0};
    for (int i = 0; i < mode; ++i)
        if (!graph_.valueAt(channel, graph_.CursorPosition(i + 1), value[i], ordinal[i]))
            return;  // nothing under the cursor: the read-outs stay
    const double usPerSample = graph_.SamplePeriod() * 62.5;
    const TimeUnit unit = UnitFor(ordinal[0] * usPerSample);
    SetCaptions(channels_.UnitText(channel), QString::fromLatin1(unit.name));
    for (int i = 0; i < mode; ++i) {
        const double t = ordinal[i] * usPerSample / unit.divisor;
        c_.time[std::size_t(i)]->setText(QString::asprintf("%.2f", t));
        c_.value[std::size_t(i)]->setText(channels_.ValueText(channel, std::trunc(value[i])));
    }
    if (mode < 2)
        return;
    const bool firstEarlier = ordinal[0] <= ordinal[1];
    const double dt = std::fabs(ordinal[1] - ordinal[0]) * usPerSample / unit.divisor;
    const double dv = firstEarlier ? value[1] - value[0] : value[0] - value[1];
    c_.time[2]->setText(QString::asprintf("%.2f", dt));
    c_.value[2]->setText(channels_.ValueText(channel, std::trunc(dv)));
}
