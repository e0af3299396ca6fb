#include "pages/datainout.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "app/global.h"
#include "dictionary/sdocommand.h"
#include "pages/datainoutlist.h"
#include "pages/projectrows.h"
#include "pages/rowhelpers.h"
#include "pages/usertooltip.h"
#include "resources/icons.h"

using namespace platform;

namespace {
constexpr int kFunctionBoxId = 1000;  // tool tip ids of the function boxes: 1000 + set
const QColor kTipBack(255, 255, 225);

void ShowState(QWidget* widget, bool set, int setIcon, int clearIcon) {
    QPixmap icon = resources::LoadIcon(set ? setIcon : clearIcon);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        button->setIcon(icon);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setPixmap(icon);
    widget->setProperty("bitSet", set);
}
}  // namespace

CDataInOut::CDataInOut(CGlobal& g, QWidget* parent)
    : CPageView(parent), g_(g), toolTip_(std::make_unique<CUserToolTip>(this, g.language)) {
    setObjectName("CDataInOut");
    iniPath = g_.DataFolder() + "DataInOut.ini";
    BuildLayout();
    setMouseTracking(true);
    for (int set = 0; set < io::kFunctionSets; ++set) {
        CUserToolTip::SetControlId(functionBoxes_[set], kFunctionBoxId + set);
        functionBoxes_[set]->setMouseTracking(true);
        functionBoxes_[set]->installEventFilter(this);
    }
}

CDataInOut::~CDataInOut() = default;

QLabel* CDataInOut::Lamp(std::int32_t levelKey, int bit) const {
    if (levelKey == io::kInputLevels && bit < io::kInputs)
        return inputLamps_[bit];
    if (levelKey == io::kInputVirtual && bit < io::kInputs)
        return virtualLamps_[bit];
    if (levelKey == io::kOutputLevels && bit < io::kOutputs)
        return outputLamps_[bit];
    return nullptr;
}

void CDataInOut::OnInitialUpdate() {
    RegisterWatches();
    for (int w = 0; w < io::kSwitchWords; ++w) ShowSwitchWord(w);
    readCursor = 1;
    ReadStep();
    pageActive = 1;  // shown from now on, so a confirmed link reads it
    inputList_ = new CDataInOutList(0, iniPath, g_.language, g_.screenDpi, this);
    outputList_ = new CDataInOutList(1, iniPath, g_.language, g_.screenDpi, this);
}

void CDataInOut::RegisterWatches() {
    for (std::int32_t key : {io::kInputLevels, io::kInputVirtual, io::kOutputLevels})
        g_.link.AddWatch(Handle(), key, 1);
    for (std::int32_t key : io::WatchCandidates()) {
        CSdoInfo entry;
        if (!g_.dictionary.FindByKey(key, entry))
            continue;
        QString unitText;
        DefaultUnitOf(g_, entry, unitText);
        if (int kind = WatchKind(entry.attribute))
            g_.link.AddWatch(Handle(), key, std::uint8_t(kind));
    }
}

void CDataInOut::ReadStep() {
    if (readCursor <= 0 || readCursor > io::kReadSteps) {
        readCursor = 0;
        return;
    }
    g_.link.Request(Handle(), sdo::Read, io::ReadSequence()[readCursor - 1], 0);
    ++readCursor;
}

LResult CDataInOut::OnMessage(unsigned msg, WParam wParam, LParam lParam) {
    switch (msg) {
        case WM_LINK_VALUE:
            OnLinkValue(static_cast<std::uint32_t>(wParam), static_cast<std::int32_t>(lParam));
            return 1;
        case WM_PAGE_NOTIFY:
            OnPageNotify(static_cast<int>(wParam));
            return 1;
        case WM_IO_FUNCTION:
            g_.link.Request(Handle(), sdo::Write2, static_cast<std::int32_t>(lParam),
                            static_cast<std::int32_t>(wParam & 0xFFFF));
            return 1;
        default:
            return 0;
    }
}

void CDataInOut::OnLinkValue(std::uint32_t value, std::int32_t key) {
    const auto v = static_cast<std::uint16_t>(value & 0xFFFF);
    if (int word = io::SwitchWordOf(key); word >= 0) {
        switchWords[word] = v;
        ShowSwitchWord(word);
    } else if (key == io::kInputLevels || key == io::kInputVirtual || key == io::kOutputLevels) {
        ShowLamps(key, v);
    } else if (int set = io::FunctionSetOf(key); set >= 0 && v != functionSets[set]) {
        functionSets[set] = v;
        ShowFunctionSet(set, v);
    }
    if (readCursor != 0)
        ReadStep();
}

void CDataInOut::StartReading() {
    if (g_.online == 1) {
        g_.activePage = Handle();
        readCursor = 1;
        ReadStep();
    } else {
        readCursor = 0;
    }
}

void CDataInOut::OnPageNotify(int code) {
    switch (code) {
        case PN_BROUGHT_UP:
            StartReading();
            g_.link.ActivateWatches(Handle());
            pageActive = 1;
            return;
        case PN_CLOSING:
            readCursor = 0;
            pageActive = 0;
            g_.link.DeactivateWatches(Handle());
            return;
        case PN_LINK_CONFIRMED:
            if (pageActive)
                StartReading();
            return;
        case PN_PROJECT_SAVING:
            StorePagePlacement(g_, kPageNumber, this, pageActive);
            return;
        default:
            return;
    }
}

void CDataInOut::ShowSwitchWord(int word) {
    for (int bit = 0; bit < io::SwitchWordBits(word); ++bit)
        ShowState(switches_[word][bit], switchWords[word] & (1u << bit), resources::IDI_SWITCH_ON,
                  resources::IDI_SWITCH_OFF);
}

void CDataInOut::ShowLamps(std::int32_t key, std::uint16_t value) {
    for (int bit = 0; QLabel* lamp = Lamp(key, bit); ++bit)
        ShowState(lamp, value & (1u << bit), resources::IDI_LAMP_GREEN, resources::IDI_LAMP_OFF);
}

void CDataInOut::ShowFunctionSet(int set, std::uint16_t value) {
    QString section = io::Section(io::IsInputSet(set));
    functionTips_[set] = io::NumberedFunctions(iniPath, section, io::KeyPrefix(g_.language), value);
    toolTip_->RemoveTool(kFunctionBoxId + set);
    toolTip_->AddTool(kFunctionBoxId + set, functionTips_[set], 0, kTipBack, Qt::black);
    functionBoxes_[set]->setText(io::FunctionBoxText(functionTips_[set]));
    functionBoxes_[set]->setCursorPosition(0);
}

void CDataInOut::OnSwitch(int word, int bit) {
    switchWords[word] = io::ToggleBit(switchWords[word], bit);
    ShowState(switches_[word][bit], switchWords[word] & (1u << bit), resources::IDI_SWITCH_ON,
              resources::IDI_SWITCH_OFF);
    g_.link.Request(Handle(), sdo::Write2, io::SwitchWordKey(word), switchWords[word]);
}

void CDataInOut::OnMore(int set) {
    CDataInOutList* list = ListDialog(io::IsInputSet(set));
    list->Open(Handle(), io::FunctionSetKey(set), functionSets[set]);
}

bool CDataInOut::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QWidget*>(watched);
    if (box && event->type() == QEvent::MouseMove)
        toolTip_->TrackTip(
            box->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint()));
    return CPageView::eventFilter(watched, event);
}

void CDataInOut::mouseMoveEvent(QMouseEvent* event) {
    toolTip_->TrackTip(event->position().toPoint());
    CPageView::mouseMoveEvent(event);
}
