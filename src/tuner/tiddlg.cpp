#include "tuner/tiddlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include "app/global.h"
#include "platform/msgbox.h"
#include "tuner/bodegeometry.h"
#include "tuner/curvecheckbox.h"
#include "tuner/tidparam.h"
#include "tuner/tidsetting.h"
#include "tuner/tunertexts.h"

namespace {

constexpr int kColumnX = 748;  // the column right of the plot
constexpr int kColumnWidth = 158;
constexpr int kTabsY = 444;
constexpr int kTabsHeight = 206;

QString Tr(const char* text) {
    return QCoreApplication::translate("CTIDDlg", text);
}

// Curves whose boxes are ticked when the dialog opens.
bool TickedAtStart(int curve) {
    return curve == kCurveMeasured || curve == kCurveVelocityOpen ||
           curve == kCurveVelocityClosed || curve == kCurveFilter1 + 5;
}

}  // namespace

CTIDDlg::CTIDDlg(CGlobal& g, platform::WindowHandle replyTarget, QWidget* parent)
    : QWidget(parent), g_(g), replyTarget_(replyTarget) {
    setObjectName(QStringLiteral("CTIDDlg"));
    source_.data = &data_;
    source_.scan = &results_;
    source_.sim = &sim_;
    source_.filters = filterTable_;
    BuildPlotColumn();
    BuildCommandColumn();
    BuildTabs();
    setMinimumSize(kColumnX + kColumnWidth + 6, kTabsY + kTabsHeight);
    for (QTimer* t : {&configTimer_, &pollTimer_, &finishTimer_}) t->setSingleShot(true);
    connect(&configTimer_, &QTimer::timeout, this, &CTIDDlg::RunConfigurationStep);
    connect(&pollTimer_, &QTimer::timeout, this, [this] {
        g_.link.Request(replyTarget_, delayed_.command, delayed_.key, delayed_.data);
    });
    connect(&finishTimer_, &QTimer::timeout, this, &CTIDDlg::FinishScan);
    linkTimer_.setInterval(250);
    connect(&linkTimer_, &QTimer::timeout, this, &CTIDDlg::WatchLink);
    if (!lib_.Load(g_.baseFolder))
        platform::MessageBox(tunertext::Text(tunertext::NoSimulation, Language()));
}

CTIDDlg::~CTIDDlg() = default;

int CTIDDlg::Language() const {
    return g_.language.load();
}

void CTIDDlg::BuildPlotColumn() {
    plot_ = new CBodePlot(source_, this);
    plot_->move(0, 0);
    readOut_ = new QLabel(this);
    readOut_->setObjectName(QStringLiteral("1288"));
    readOut_->setGeometry(4, bode::kAreaHeight + 2, 420, 18);
    plot_->onReadOut = [this](const QString& text) { readOut_->setText(text); };
    for (int c = 0; c < kCurveCount; ++c) {
        const CBodeCurveInfo& info = BodeCurveInfo(c);
        auto* box = new CCurveCheckBox(Tr(info.caption), info.colour, this);
        box->setObjectName(QString::number(info.control));
        box->setGeometry(kColumnX, 4 + 22 * c, kColumnWidth, 20);
        box->setChecked(TickedAtStart(c));
        source_.ticked[c] = box->isChecked();
        connect(box, &QCheckBox::toggled, this, [this, c](bool on) { source_.ticked[c] = on; });
        curveBoxes_[c] = box;
    }
    for (const char* hidden : {"VP_Loop Close Real", "Lowpass1", "Disturbance"})
        (new QCheckBox(QString::fromLatin1(hidden), this))->hide();
    (new QPushButton(QStringLiteral("Analyse"), this))->hide();
}

QPushButton* CTIDDlg::AddButton(int id, const char* caption, int x, int y) {
    auto* button = new QPushButton(Tr(caption), this);
    button->setObjectName(QString::number(id));
    button->setGeometry(x, y, id == 1231 || id == 1232 ? 76 : kColumnWidth, 26);
    return button;
}

void CTIDDlg::BuildCommandColumn() {
    const int x = kColumnX;
    auto* rulerLabel = new QLabel(Tr(QT_TRANSLATE_NOOP("CTIDDlg", "增益尺")), this);
    rulerLabel->setGeometry(x, 276, 70, 22);
    gainRuler_ = new QComboBox(this);
    gainRuler_->setObjectName(QStringLiteral("1259"));
    gainRuler_->addItems({QStringLiteral("20dB"), QStringLiteral("40dB")});
    gainRuler_->setGeometry(x + 72, 276, kColumnWidth - 72, 24);
    connect(gainRuler_, &QComboBox::currentIndexChanged, this,
            [this](int i) { source_.gainRuler = i == 1 ? 80 : 40; });
    phaseRuler_ = new QComboBox(this);
    phaseRuler_->setObjectName(QStringLiteral("1260"));
    phaseRuler_->addItems({QStringLiteral("180"), QStringLiteral("360")});
    phaseRuler_->hide();
    connect(phaseRuler_, &QComboBox::currentIndexChanged, this,
            [this](int i) { source_.phaseRuler = i == 1 ? 360 : 180; });
    showGain_ = new QCheckBox(Tr(QT_TRANSLATE_NOOP("CTIDDlg", "增益")), this);
    showGain_->setObjectName(QStringLiteral("1290"));
    showPhase_ = new QCheckBox(Tr(QT_TRANSLATE_NOOP("CTIDDlg", "相位")), this);
    showPhase_->setObjectName(QStringLiteral("1291"));
    showGain_->setGeometry(x, 306, 75, 22);
    showPhase_->setGeometry(x + 80, 306, 75, 22);
    for (QCheckBox* box : {showGain_, showPhase_}) {
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, [this] {
            source_.displayMode =
                (showGain_->isChecked() ? 1 : 0) | (showPhase_->isChecked() ? 2 : 0);
        });
    }
    connect(AddButton(1231, QT_TRANSLATE_NOOP("CTIDDlg", "打开"), x, 340), &QPushButton::clicked,
            this, &CTIDDlg::OnImport);
    connect(AddButton(1232, QT_TRANSLATE_NOOP("CTIDDlg", "保存"), x + 82, 340),
            &QPushButton::clicked, this, &CTIDDlg::OnExport);
    start_ = AddButton(1233, QT_TRANSLATE_NOOP("CTIDDlg", "开始"), x, 372);
    start_->setEnabled(false);
    connect(start_, &QPushButton::clicked, this, &CTIDDlg::OnStart);
    unlock_ = new QCheckBox(QStringLiteral("Unlock"), this);
    unlock_->setObjectName(QStringLiteral("1295"));
    unlock_->setGeometry(x, 402, kColumnWidth, 22);
    connect(unlock_, &QCheckBox::clicked, this, &CTIDDlg::OnUnlock);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("1294"));
    status_->setGeometry(x, 426, kColumnWidth, 20);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setGeometry(x, 448, kColumnWidth, 14);
    progress_->setTextVisible(false);
    progress_->hide();
    auto* loadLabel = new QLabel(Tr(QT_TRANSLATE_NOOP("CTIDDlg", "负载参数")), this);
    loadLabel->setGeometry(x, 470, 70, 24);
    load_ = new QLineEdit(this);
    load_->setObjectName(QStringLiteral("1289"));
    load_->setReadOnly(true);
    load_->setGeometry(x + 72, 470, 86, 24);
    connect(AddButton(1287, QT_TRANSLATE_NOOP("CTIDDlg", "执行仿真"), x, 504),
            &QPushButton::clicked, this, &CTIDDlg::OnSimulate);
}

void CTIDDlg::BuildTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("1230"));
    tabs_->setGeometry(0, kTabsY, bode::kAreaWidth, kTabsHeight);
    setting_ = new CTIDSetting;
    param_ = new CTIDParam(filterTable_, g_.baseFolder, Language());
    param_->SetMessageTarget(replyTarget_);
    tabs_->addTab(setting_, Tr(QT_TRANSLATE_NOOP("CTIDDlg", "设置")));
    tabs_->addTab(param_, Tr(QT_TRANSLATE_NOOP("CTIDDlg", "参数")));
}

void CTIDDlg::SetStatus(const QString& text) {
    status_->setText(text);
}

void CTIDDlg::OnPageMessage(platform::WParam code, platform::LParam value) {
    switch (code) {
        case kPageSimulate:
            OnSimulate();
            break;
        case kPageSelectFilter:
            param_->SelectFilter(static_cast<int>(value));
            break;
        case kPageFilterType:
            param_->ChangeType(static_cast<int>(value));
            break;
        default:
            break;
    }
}
