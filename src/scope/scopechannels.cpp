#include "scope/scopechannels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/global.h"
#include "dictionary/numberscan.h"
#include "dictionary/sdocommand.h"
#include "scope/mygraph.h"
#include "scope/scalesteps.h"
#include "scope/scopeobjects.h"
#include "scope/scopepagehost.h"
#include "scope/scopeunits.h"
#include "scope/textspin.h"

using namespace scope;

namespace {
const QString kDec = QStringLiteral("DEC");

QString OffsetText(double offset) {
    return QString::asprintf("%.3f", offset);
}
}  // namespace

CScopeChannels::CScopeChannels(CGlobal& g, IScopePage& page, CMyGraph& graph,
                               const std::array<ChannelControls, 4>& controls)
    : g_(g), page_(page), graph_(graph), controls_(controls) {
    for (int k = 1; k <= 4; ++k) {
        C(k).scale->SetText(St(k).scaleText);
        C(k).offset->SetText(QStringLiteral("0"));
        C(k).autoScale->setChecked(true);
        Connect(k);
    }
}

void CScopeChannels::Connect(int k) {
    const ChannelControls& c = C(k);
    connect(c.check, &QCheckBox::clicked, this, [this, k] { OnCheckClicked(k); });
    connect(c.object, &QComboBox::activated, this, [this, k] { OnObjectChosen(k); });
    connect(c.pick, &QPushButton::clicked, this, [this, k] { page_.OpenBrowserFor(k); });
    connect(c.unit, &QComboBox::activated, this, [this, k] { OnUnitChosen(k); });
    connect(c.scale, &CTextSpin::stepped, this, [this, k](int d) { OnScaleStep(k, d); });
    connect(c.offset, &CTextSpin::stepped, this, [this, k](int d) { OnOffsetStep(k, d); });
    connect(c.offset, &CTextSpin::committed, this, [this, k] { OnOffsetCommitted(k); });
}

ChannelItems CScopeChannels::Items(int k) const {
    return {&St(k).extra, &common_};
}

const CScopeItem* CScopeChannels::Selected(int k) const {
    return Items(k).At(C(k).object->currentIndex());
}

bool CScopeChannels::SignedItem(int k) const {
    const CScopeItem* item = Selected(k);
    return item && ItemSigned(item->code);
}

void CScopeChannels::FillCommon(const std::vector<std::int32_t>& keys) {
    for (std::int32_t key : keys) {
        std::uint32_t code = 0;
        CSdoInfo entry;
        if (!MakeItemCode(g_.dictionary, key, code) || ItemWidth(code) < 16 ||
            !g_.dictionary.FindByKey(key, entry))
            continue;
        common_.Append(code, entry.name);
        for (int k = 1; k <= 4; ++k) C(k).object->addItem(entry.name);
    }
    for (int k = 1; k <= 4; ++k) C(k).object->setCurrentIndex(-1);
}

bool CScopeChannels::OnValue(std::int32_t key, std::uint32_t value) {
    if (!IsScopeKey(key) || OnFollowUp(key, value))
        return IsScopeKey(key);
    const int sub = SubOf(key);
    if (sub >= kSource1 && sub < kSource1 + 4) {
        OnSourceValue(sub - kSource1 + 1, value);
        return true;
    }
    if (sub != kSource12 && sub != kSource34)
        return false;
    source32_[sub == kSource12 ? 0 : 1] = value;
    if (value != 0) {
        const int k = sub == kSource12 ? lastToggled12_ : lastToggled34_;
        St(k).objectKey = std::int32_t(value >> 8);
        if (ShowItem(k, value))
            FillUnits(k, true);
    }
    return true;
}

void CScopeChannels::OnSourceValue(int k, std::uint32_t value) {
    source16_[std::size_t(k - 1)] = value;
    St(k).objectKey = std::int32_t(value >> 8);
    if (value == 0) {
        C(k).check->setChecked(false);
        graph_.SetVisible(k, false);
        return;
    }
    if (ShowItem(k, value))
        FillUnits(k, true);
}

// Selects the item the drive reports (adding it to the channel's own list when it is in
// neither list) and ticks the channel.
bool CScopeChannels::ShowItem(int k, std::uint32_t value) {
    int position = Items(k).Find(value);
    if (position < 0)
        position = AddExtra(k, ItemKey(value));
    if (position < 0)
        return false;
    {
        const QSignalBlocker block(C(k).object);
        C(k).object->setCurrentIndex(position);
    }
    C(k).check->setChecked(true);
    graph_.SetVisible(k, true);
    return true;
}

int CScopeChannels::AddExtra(int k, std::int32_t key) {
    std::uint32_t code = 0;
    CSdoInfo entry;
    if (!MakeItemCode(g_.dictionary, key, code) || ItemWidth(code) < 16 ||
        !g_.dictionary.FindByKey(key, entry))
        return -1;
    St(k).extra.PushFront(code, entry.name);
    const QSignalBlocker block(C(k).object);
    C(k).object->insertItem(0, entry.name);
    return 0;
}

// A reply selects the last unit, unless the channel keeps its object and its chosen unit.
void CScopeChannels::FillUnits(int k, bool fromDrive) {
    const CScopeItem* item = Selected(k);
    QComboBox* box = C(k).unit;
    const QString previous = box->currentText();
    const std::int32_t key = item ? ItemKey(item->code) : 0;
    const bool sameObject = box->property("objectKey").toInt() == key;
    const QStringList units = key ? scopeunits::UnitChoices(g_, key) : QStringList{kDec};
    {
        const QSignalBlocker block(box);
        box->clear();
        box->addItems(units);
        box->setProperty("objectKey", key);
        int selection = -1;
        if (fromDrive)
            selection = sameObject && units.contains(previous) ? int(units.indexOf(previous))
                                                               : int(units.size()) - 1;
        box->setCurrentIndex(selection);
    }
    UpdateCoefficient(k);
}

QString CScopeChannels::UnitText(int k) const {
    const QString text = C(k).unit->currentText();
    return text.isEmpty() ? kDec : text;
}

void CScopeChannels::UpdateCoefficient(int k) {
    const CScopeItem* item = Selected(k);
    if (!item)
        return;
    St(k).coefficient = scopeunits::UnitCoefficient(g_, page_.Window(), ItemKey(item->code),
                                                    UnitText(k), ItemSigned(item->code));
    graph_.SetUnitCoefficient(k, St(k).coefficient);
}

void CScopeChannels::Write(int sub, std::uint32_t value) {
    g_.link.Request(page_.Window(), sdo::Write4, Key(sub), std::int32_t(value));
}

void CScopeChannels::OnCheckClicked(int k) {
    if (k <= 2)
        lastToggled12_ = k;
    else
        lastToggled34_ = k;
    const CScopeItem* item = Selected(k);
    if (C(k).check->isChecked()) {
        if (!item) {
            C(k).check->setChecked(false);
            return;
        }
        graph_.SetVisible(k, true);
        if (const int clear = OtherSourceToClear(k, item->code)) {
            followUp_ = FollowUp{Key(clear), SourceSub(k, item->code), MappingEntry(item->code)};
            Write(clear, 0);
            page_.Redraw();
            return;
        }
        Write(SourceSub(k, item->code), MappingEntry(item->code));
    } else {
        graph_.SetVisible(k, false);
        if (source16_[std::size_t(k - 1)] != 0)
            Write(kSource1 + k - 1, 0);
        else if (item)
            Write(PairSub(k), 0);
    }
    page_.SetReadStep(7);  // the six sources and the sample count are read back
    page_.Redraw();
}

// A drive keeps a channel's other slot: a 16-bit and a 32-bit source would both feed the
// channel, interleaving two signals in one curve.
int CScopeChannels::OtherSourceToClear(int k, std::uint32_t code) const {
    if (ItemWidth(code) == 32)
        return source16_[std::size_t(k - 1)] != 0 ? kSource1 + k - 1 : 0;
    const std::uint32_t pair = Source32(k);
    const int other = k % 2 == 1 ? k + 1 : k - 1;
    const CScopeItem* otherItem = Selected(other);
    const bool otherOwns =
        C(other).check->isChecked() && otherItem && MappingEntry(otherItem->code) == pair;
    return pair != 0 && !otherOwns ? PairSub(k) : 0;
}

// The writes go one after the other, and the read-back starts after the last: a read chain
// started earlier would keep a queued write waiting behind it.
bool CScopeChannels::OnFollowUp(std::int32_t key, std::uint32_t value) {
    if (followUp_ && key == followUp_->clearKey) {
        const int sub = SubOf(key);
        if (sub >= kSource1 && sub < kSource1 + 4)
            source16_[std::size_t(sub - kSource1)] = value;
        else
            source32_[sub == kSource12 ? 0 : 1] = value;
        Write(followUp_->sub, followUp_->value);
        readBackAfter_ = Key(followUp_->sub);
        followUp_.reset();
        return true;
    }
    if (readBackAfter_ != 0 && key == readBackAfter_) {
        readBackAfter_ = 0;
        page_.SetReadStep(7);
    }
    return false;
}

void CScopeChannels::OnObjectChosen(int k) {
    FillUnits(k, false);
    C(k).check->setChecked(false);  // ticking it again applies the object
    C(k).object->setToolTip(C(k).object->currentText());
}

void CScopeChannels::OnUnitChosen(int k) {
    page_.ChannelUnitChanged();
    UpdateCoefficient(k);
    graph_.AutoScale();
    TakeScalesFromGraph();
    page_.Redraw();
}

void CScopeChannels::OnScaleStep(int k, int direction) {
    if (!C(k).check->isChecked())
        return;
    State& s = St(k);
    s.scaleText = scalesteps::StepScale(s.scaleText, direction > 0);
    s.scale = scalesteps::ScaleValue(s.scaleText);
    C(k).scale->SetText(s.scaleText);
    graph_.SetScale(k, s.scale);
    page_.Redraw();
}

void CScopeChannels::OnOffsetStep(int k, int direction) {
    if (!C(k).check->isChecked())
        return;
    graph_.StepOffset(k, graph_.GetScale(k), direction);
    St(k).offset = graph_.GetOffset(k);
    C(k).offset->SetText(OffsetText(St(k).offset));
    page_.Redraw();
}

void CScopeChannels::OnOffsetCommitted(int k) {
    double value = 0;
    numberscan::LeadingDecimal(C(k).offset->Text(), value);
    St(k).offset = value;
    graph_.SetOffset(k, value);
    page_.Redraw();
}

bool CScopeChannels::OnAbort(std::int32_t key) {
    if (!IsScopeKey(key))
        return false;
    const int sub = SubOf(key);
    if (sub >= kSource1 && sub < kSource1 + 4)
        source16_[std::size_t(sub - kSource1)] = 0;
    else if (sub == kSource12 || sub == kSource34)
        source32_[sub == kSource12 ? 0 : 1] = 0;
    else
        return false;
    return true;
}

bool CScopeChannels::OnObjectValue(std::int32_t key) {
    bool found = false;
    for (int k = 1; k <= 4; ++k) {
        const CScopeItem* item = Selected(k);
        if (item && ItemKey(item->code) == key) {
            UpdateCoefficient(k);
            found = true;
        }
    }
    return found;
}

void CScopeChannels::OnPicked(int k, std::int32_t key) {
    std::uint32_t code = 0;
    if (!MakeItemCode(g_.dictionary, key, code))
        return;
    int position = Items(k).Find(MappingEntry(code));
    if (position < 0)
        position = AddExtra(k, key);
    if (position < 0)
        return;
    C(k).object->setCurrentIndex(position);
    C(k).object->setToolTip(C(k).object->currentText());
    FillUnits(k, false);
    OnCheckClicked(k);
}

void CScopeChannels::CheckOffsetFields(bool beforeCapture) {
    for (int k = 1; k <= 4; ++k) {
        const QString t = C(k).offset->Text();
        if (t == QLatin1String("-0") || t == QLatin1String("-0.") || t.size() > 10) {
            St(k).offset = 0;
            C(k).offset->SetText(beforeCapture ? QStringLiteral("0") : OffsetText(0));
        } else if (!beforeCapture) {
            C(k).offset->SetText(OffsetText(St(k).offset));
        }
    }
}

void CScopeChannels::Apply() {
    CheckOffsetFields(true);
    for (int k = 1; k <= 4; ++k) {
        numberscan::LeadingDecimal(C(k).offset->Text(), St(k).offset);
        if (!C(k).check->isChecked())
            continue;
        const bool automatic = C(k).autoScale->isChecked();
        graph_.SetAuto(k, automatic);
        if (!automatic) {
            graph_.SetScale(k, St(k).scale);
            graph_.SetOffset(k, St(k).offset);
        }
        UpdateCoefficient(k);
    }
}

void CScopeChannels::TakeScalesFromGraph() {
    for (int k = 1; k <= 4; ++k) {
        if (graph_.Points(k).empty())
            continue;
        State& s = St(k);
        s.scaleText = scalesteps::ScaleText(graph_.GetScale(k));
        s.scale = scalesteps::ScaleValue(s.scaleText);
        s.offset = graph_.GetOffset(k);
        C(k).scale->SetText(s.scaleText);
        C(k).offset->SetText(OffsetText(s.offset));
    }
}

void CScopeChannels::RefreshToolTips() {
    for (int k = 1; k <= 4; ++k) C(k).object->setToolTip(C(k).object->currentText());
}

RecordLayout CScopeChannels::Layout() const {
    RecordLayout layout;
    layout.source16 = source16_;
    layout.source32 = source32_;
    for (int k = 1; k <= 4; ++k) {
        const CScopeItem* item = Selected(k);
        layout.ticked[std::size_t(k - 1)] = C(k).check->isChecked();
        layout.isSigned[std::size_t(k - 1)] = item && ItemSigned(item->code);
        layout.entry[std::size_t(k - 1)] = item ? MappingEntry(item->code) : 0;
    }
    return layout;
}

std::uint32_t CScopeChannels::SelectedEntry(int k) const {
    const CScopeItem* item = Selected(k);
    return item ? MappingEntry(item->code) : 0;
}

bool CScopeChannels::Ticked(int k) const {
    return C(k).check->isChecked();
}

QString CScopeChannels::ValueText(int k, double raw) {
    QComboBox* box = C(k).unit;
    if (box->count() == 0)
        box->addItem(kDec);
    if (box->currentIndex() < 0) {
        const int dec = box->findText(kDec);
        box->setCurrentIndex(dec >= 0 ? dec : 0);
    }
    const CScopeItem* item = Selected(k);
    if (!item)
        return QString();
    return scopeunits::ValueText(g_, page_.Window(), ItemKey(item->code), UnitText(k), raw,
                                 ItemSigned(item->code));
}

RecordingChannel CScopeChannels::Recorded(int k) const {
    RecordingChannel r;
    r.check = C(k).check->isChecked();
    const std::uint32_t own = source16_[std::size_t(k - 1)];
    r.item = own != 0 ? own : Source32(k);
    r.scale = St(k).scale;
    r.offset = St(k).offset;
    r.unitCoefficient = St(k).coefficient;
    r.unit = C(k).unit->currentIndex();
    r.autoScale = C(k).autoScale->isChecked();
    return r;
}

void CScopeChannels::Restore(int k, const RecordingChannel& stored) {
    const auto item = std::uint32_t(stored.item);
    if (item != 0 && ShowItem(k, item)) {
        St(k).objectKey = ItemKey(item);
        FillUnits(k, true);
    }
    C(k).check->setChecked(stored.check);
    if (stored.unit >= 0 && stored.unit < C(k).unit->count())
        C(k).unit->setCurrentIndex(stored.unit);
    State& s = St(k);
    s.scale = stored.scale;
    s.scaleText = scalesteps::ScaleText(stored.scale);
    s.offset = stored.offset;
    s.coefficient = stored.unitCoefficient;
    C(k).scale->SetText(s.scaleText);
    C(k).offset->SetText(OffsetText(s.offset));
    C(k).autoScale->setChecked(stored.autoScale);
    graph_.SetScale(k, s.scale);
    graph_.SetOffset(k, s.offset);
    graph_.SetUnitCoefficient(k, s.coefficient);
    graph_.SetAuto(k, stored.autoScale);
    graph_.SetVisible(k, stored.check);
}
