#include "scope/scopetrigger.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/global.h"
#include "dictionary/sdocommand.h"
#include "scope/scopeicons.h"
#include "scope/scopeobjects.h"
#include "scope/scopepagehost.h"
#include "scope/scopetexts.h"
#include "scope/scopeunits.h"

using namespace scope;

CScopeTrigger::CScopeTrigger(CGlobal& g, IScopePage& page, const TriggerControls& controls)
    : g_(g), page_(page), c_(controls) {
    connect(c_.source, &QComboBox::activated, this, [this] { OnSourceChosen(); });
    connect(c_.pick, &QPushButton::clicked, this, [this] { page_.OpenBrowserFor(0); });
    connect(c_.edge, &QToolButton::clicked, this, [this] { OnEdgeClicked(); });
    connect(c_.level, &QLineEdit::returnPressed, this, [this] { OnLevelCommitted(); });
    connect(c_.unit, &QComboBox::activated, this, [this] { OnUnitChosen(); });
    ShowEdge();
}

void CScopeTrigger::Request(std::uint8_t command, int sub, std::int32_t value) {
    g_.link.Request(page_.Window(), command, Key(sub), value);
}

void CScopeTrigger::FillList(const std::vector<std::int32_t>& keys) {
    c_.source->clear();
    c_.source->addItem(scopetext::ManualTrigger(g_.language));
    for (std::int32_t key : keys) AddItem(key);
    ShowManual();
}

// A new trigger item goes to the head of the list, at drop-down position 1; -1 when the
// object cannot be one.
int CScopeTrigger::AddItem(std::int32_t key) {
    std::uint32_t code = 0;
    CSdoInfo entry;
    if (!MakeItemCode(g_.dictionary, key, code) || !g_.dictionary.FindByKey(key, entry))
        return -1;
    items_.PushFront(MappingEntry(code), entry.name);
    const QSignalBlocker block(c_.source);
    c_.source->insertItem(1, entry.name);
    return 0;
}

bool CScopeTrigger::OnValue(std::int32_t key, std::uint32_t value) {
    if (key == Key(kTriggerEdge)) {
        edge_ = value != 0 ? 1 : 0;
        ShowEdge();
    } else if (key == Key(kTriggerSource)) {
        ShowSource(value);
    } else if (key == Key(kTriggerLevel)) {
        c_.level->setText(scopeunits::ValueText(g_, page_.Window(), triggerKey_,
                                                c_.unit->currentText(), double(value),
                                                scopeunits::ObjectSigned(g_, triggerKey_)));
    } else {
        return false;
    }
    return true;
}

void CScopeTrigger::ShowEdge() {
    c_.edge->setIcon(scopeicons::TriggerEdge(edge_ != 0));
}

void CScopeTrigger::ShowManual() {
    const QSignalBlocker block(c_.source);
    c_.source->setCurrentIndex(0);
    c_.level->setEnabled(false);
    c_.unit->setEnabled(false);
}

void CScopeTrigger::ShowSource(std::uint32_t value) {
    if (value == 0) {
        ShowManual();
        return;
    }
    triggerKey_ = std::int32_t(value >> 8);
    int position = items_.FindExact(value);
    if (position < 0)
        position = AddItem(triggerKey_);
    if (position < 0) {
        ShowManual();  // an object the dictionary does not know cannot be shown
        return;
    }
    c_.level->setEnabled(true);
    c_.unit->setEnabled(true);
    {
        const QSignalBlocker block(c_.source);
        c_.source->setCurrentIndex(position + 1);
    }
    FillUnits(triggerKey_);
    if (justChosen_) {
        justChosen_ = false;
        Request(sdo::Read, kTriggerLevel, 0);
    }
}

void CScopeTrigger::FillUnits(std::int32_t key) {
    const QSignalBlocker block(c_.unit);
    c_.unit->clear();
    c_.unit->addItems(scopeunits::UnitChoices(g_, key));
    c_.unit->setCurrentIndex(c_.unit->count() - 1);
}

bool CScopeTrigger::OnAbort(std::int32_t key) {
    if (key != Key(kTriggerSource))
        return false;
    justChosen_ = false;
    ShowManual();
    return true;
}

bool CScopeTrigger::OnObjectValue(std::int32_t) {
    if (!unitMark_)
        return false;
    Request(sdo::Read, kTriggerLevel, 0);
    return true;
}

void CScopeTrigger::OnSourceChosen() {
    const int n = c_.source->currentIndex();
    if (n <= 0) {
        Request(sdo::Write4, kTriggerSource, 0);
        return;
    }
    const CScopeItem& item = items_.At(n - 1);
    triggerKey_ = ItemKey(item.code);
    justChosen_ = true;
    Request(sdo::Write4, kTriggerSource, std::int32_t(item.code));
}

void CScopeTrigger::OnPicked(std::int32_t key) {
    std::uint32_t code = 0;
    if (!MakeItemCode(g_.dictionary, key, code))
        return;
    int position = items_.FindExact(MappingEntry(code));
    if (position < 0)
        position = AddItem(key);
    if (position < 0)
        return;
    c_.source->setCurrentIndex(position + 1);
    OnSourceChosen();
}

void CScopeTrigger::OnEdgeClicked() {
    Request(sdo::Write1, kTriggerEdge, edge_ == 0 ? 1 : 0);
}

void CScopeTrigger::OnLevelCommitted() {
    std::int32_t raw = 0;
    const QString unit = c_.unit->count() ? c_.unit->currentText() : QStringLiteral("DEC");
    switch (
        scopeunits::TriggerLevelRaw(g_, page_.Window(), triggerKey_, unit, c_.level->text(), raw)) {
        case scopeunits::LevelWrite::Ready:
            Request(sdo::Write4, kTriggerLevel, raw);
            return;
        case scopeunits::LevelWrite::Refused:
            Request(sdo::Read, kTriggerLevel, 0);  // show what the drive holds
            return;
        case scopeunits::LevelWrite::Parked:
            return;  // the evaluator writes it once the referenced value is in
    }
}

void CScopeTrigger::OnUnitChosen() {
    unitMark_ = true;
    Request(sdo::Read, kTriggerLevel, 0);
}

int CScopeTrigger::Position() const {
    return c_.source->currentIndex();
}

int CScopeTrigger::UnitPosition() const {
    return c_.unit->currentIndex();
}

QString CScopeTrigger::LevelText() const {
    return c_.level->text();
}

void CScopeTrigger::Restore(int position, std::int64_t objectKey, const QString& level,
                            int unitPosition) {
    if (position == 0) {
        ShowManual();
        return;
    }
    const auto key = std::int32_t(objectKey & 0xFFFFFF);
    std::uint32_t code = 0;
    if (!MakeItemCode(g_.dictionary, key, code)) {
        ShowManual();
        return;
    }
    const bool wasChosen = justChosen_;
    justChosen_ = false;
    ShowSource(MappingEntry(code));
    justChosen_ = wasChosen;
    c_.level->setText(level);
    if (unitPosition >= 0 && unitPosition < c_.unit->count())
        c_.unit->setCurrentIndex(unitPosition);
}

void CScopeTrigger::RefreshToolTip() {
    c_.source->setToolTip(c_.source->currentText());
}
