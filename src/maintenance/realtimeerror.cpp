#include "maintenance/realtimeerror.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include "app/global.h"
#include "dictionary/sdocommand.h"
#include "resources/icons.h"

using namespace platform;

namespace {
constexpr std::int32_t kSwitchKeys[2] = {errors::kSwitchWord1, errors::kSwitchWord2};
constexpr std::int32_t kErrorKeys[2] = {errors::kErrorWord1, errors::kErrorWord2};
// The first reads, one after another: switch word 1, error word 1, switch word 2, error word 2.
constexpr std::int32_t kReadOrder[] = {errors::kSwitchWord1, errors::kErrorWord1,
                                       errors::kSwitchWord2, errors::kErrorWord2};
// Control ids: check boxes 1036 and 1052, lamps 1107 and 1123, word texts 1296 and 1297.
constexpr int kBoxIds[2] = {1036, 1052};
constexpr int kLampIds[2] = {1107, 1123};
constexpr int kTextIds[2] = {1296, 1297};

int GroupOf(const std::int32_t (&keys)[2], std::int32_t key) {
    return key == keys[0] ? 0 : key == keys[1] ? 1 : -1;
}
}  // namespace

CRealtimeError::CRealtimeError(CGlobal& g, QWidget* parent) : CPageView(parent), g_(g) {
    setObjectName("CRealtimeError");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildGroup(0));
    layout->addWidget(BuildGroup(1));
    ShowSwitchWord(0);
    ShowSwitchWord(1);
    ShowErrorWord(0, 0);
    ShowErrorWord(1, 0);
}

QGroupBox* CRealtimeError::BuildGroup(int group) {
    auto* box = new QGroupBox(group == 0 ? tr("错误状态字1") : tr("错误状态字2"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    auto* value = new QLabel;
    value->setObjectName(QString::number(kTextIds[group]));
    value->setFrameShape(QFrame::Panel);
    value->setFrameShadow(QFrame::Sunken);
    value->setMinimumWidth(56);
    value->setAlignment(Qt::AlignCenter);
    value->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    grid->addWidget(new QLabel(tr("检测")), 0, 0);
    grid->addWidget(value, 0, 1, 1, 2, Qt::AlignLeft);
    wordTexts_[group] = value;
    for (int bit = 0; bit < errors::kWordBits; ++bit) {
        auto* check = new QCheckBox(QString::asprintf("%04X", 1u << bit));
        check->setObjectName(QString::number(kBoxIds[group] + bit));
        connect(check, &QCheckBox::clicked, this,
                [this, group, bit](bool on) { OnBoxClicked(group, bit, on); });
        auto* lamp = new QLabel;
        lamp->setObjectName(QString::number(kLampIds[group] + bit));
        auto* text = new QLabel(errors::LampText(group + 1, bit));
        grid->addWidget(check, bit + 1, 0);
        grid->addWidget(lamp, bit + 1, 1);
        grid->addWidget(text, bit + 1, 2);
        boxes_[group][bit] = check;
        lamps_[group][bit] = lamp;
        captions_[group][bit] = text;
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(errors::kWordBits + 1, 1);
    return box;
}

void CRealtimeError::OnInitialUpdate() {
    for (std::int32_t key : kReadOrder) g_.link.AddWatch(Handle(), key, 1);
    readStep = 1;
    ReadStep();
}

void CRealtimeError::ReadStep() {
    if (readStep < 1 || readStep > int(std::size(kReadOrder))) {
        readStep = 0;
        return;
    }
    g_.link.Request(Handle(), sdo::Read, kReadOrder[readStep - 1], 0);
    ++readStep;
}

LResult CRealtimeError::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    // Page notifications leave this page alone: it watches the drive for the whole run.
    if (msg != WM_LINK_VALUE)
        return 0;
    OnLinkValue(static_cast<std::uint32_t>(wParam), static_cast<std::int32_t>(lParam));
    return 1;
}

void CRealtimeError::OnLinkValue(std::uint32_t value, std::int32_t key) {
    const auto word = static_cast<std::uint16_t>(value & 0xFFFF);
    if (int group = GroupOf(kSwitchKeys, key); group >= 0) {
        switchWords[group] = word;
        ShowSwitchWord(group);
    } else if (int group = GroupOf(kErrorKeys, key); group >= 0) {
        ShowErrorWord(group, word);
    } else {
        return;
    }
    if (readStep != 0)
        ReadStep();
}

void CRealtimeError::ShowSwitchWord(int group) {
    for (int bit = 0; bit < errors::kWordBits; ++bit)
        boxes_[group][bit]->setChecked(switchWords[group] & (1u << bit));
}

void CRealtimeError::ShowErrorWord(int group, std::uint16_t value) {
    wordTexts_[group]->setText(QString::asprintf("%.4x", unsigned(value)));
    for (int bit = 0; bit < errors::kWordBits; ++bit) {
        const bool set = value & (1u << bit);
        lamps_[group][bit]->setPixmap(
            resources::LoadIcon(set ? resources::IDI_LAMP_RED : resources::IDI_LAMP_GREEN));
        lamps_[group][bit]->setProperty("bitSet", set);
    }
}

void CRealtimeError::OnBoxClicked(int group, int bit, bool checked) {
    const auto mask = static_cast<std::uint16_t>(1u << bit);
    // Kept at once, so a second click before the drive's answer builds on the first.
    switchWords[group] = static_cast<std::uint16_t>(checked ? switchWords[group] | mask
                                                            : switchWords[group] & ~mask);
    g_.link.Request(Handle(), sdo::Write2, kSwitchKeys[group], switchWords[group]);
}
