#include "tuner/tidparam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/msgbox.h"
#include "tuner/keyfilter.h"
#include "tuner/scanchecks.h"
#include "tuner/simlibrary.h"
#include "tuner/tunertexts.h"

namespace {

constexpr int kLabelIds[4] = {1284, 1274, 1285, 1275};
constexpr int kFieldIds[4] = {1280, 1062, 1063, 1064};

QString Tr(const char* text) {
    return QCoreApplication::translate("CTIDParam", text);
}

}  // namespace

CTIDParam::CTIDParam(CFilterEntry (&filters)[kFilterCount], const QString& baseFolder, int language,
                     QWidget* parent)
    : QWidget(parent), filters_(filters), baseFolder_(baseFolder), language_(language) {
    setObjectName(QStringLiteral("CTIDParam"));
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(5, 1);
    BuildFilterRow();
    BuildFields();
    BuildGains();
    FillTypes(0);
    ShowFilter(0);
}

void CTIDParam::BuildFilterRow() {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* row = new QHBoxLayout;
    for (int r = 0; r < kFilterCount; ++r) {
        auto* button = new QPushButton(
            Tr(QT_TRANSLATE_NOOP("CTIDParam", "滤波器")) + QString::number(r + 1), this);
        button->setObjectName(QStringLiteral("filter%1").arg(r + 1));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        connect(button, &QPushButton::clicked, this, [this, r] {
            platform::SendMessage(view_, kTunerPageMessage, kPageSelectFilter, r);
        });
        filterButtons_[r] = button;
        row->addWidget(button);
    }
    filterButtons_[0]->setChecked(true);
    grid->addLayout(row, 0, 0, 1, 6);
}

void CTIDParam::BuildFields() {
    auto* grid = static_cast<QGridLayout*>(layout());
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("1273"));
    type_->setMinimumWidth(130);
    connect(type_, &QComboBox::activated, this, [this](int index) {
        platform::PostMessage(view_, kTunerPageMessage, kPageFilterType, index + 1);
    });
    active_ = new QCheckBox(Tr(QT_TRANSLATE_NOOP("CTIDParam", "激活")), this);
    active_->setObjectName(QStringLiteral("active"));
    grid->addWidget(type_, 1, 0, 1, 2);
    grid->addWidget(active_, 1, 2);
    for (int f = 0; f < 4; ++f) {
        labels_[f] = new QLabel(this);
        labels_[f]->setObjectName(QString::number(kLabelIds[f]));
        fields_[f] = new QLineEdit(this);
        fields_[f]->setObjectName(QString::number(kFieldIds[f]));
        fields_[f]->setFixedWidth(90);
        fields_[f]->installEventFilter(
            new CKeyFilter(QString::fromLatin1(CKeyFilter::kSigned), fields_[f]));
        grid->addWidget(labels_[f], 2 + f / 2, (f % 2) * 2);
        grid->addWidget(fields_[f], 2 + f / 2, (f % 2) * 2 + 1);
    }
}

void CTIDParam::BuildGains() {
    auto* grid = static_cast<QGridLayout*>(layout());
    const struct {
        int id;
        const char* label;
        const char* text;
    } gains[3] = {{1262, "Kvp", "100"}, {1263, "Kvi", "1"}, {1264, "Kpp", "1"}};
    for (int g = 0; g < 3; ++g) {
        gains_[g] = new QLineEdit(QString::fromLatin1(gains[g].text), this);
        gains_[g]->setObjectName(QString::number(gains[g].id));
        gains_[g]->setFixedWidth(90);
        gains_[g]->installEventFilter(
            new CKeyFilter(QString::fromLatin1(CKeyFilter::kUnsigned), gains_[g]));
        grid->addWidget(new QLabel(QString::fromLatin1(gains[g].label), this), 4, g * 2);
        grid->addWidget(gains_[g], 4, g * 2 + 1);
    }
    grid->setRowStretch(5, 1);
    // Present in the page's template but hidden.
    auto* load = new QLineEdit(this);
    load->setObjectName(QStringLiteral("1277"));
    load->hide();
    auto* apply = new QPushButton(QStringLiteral("Apply"), this);
    apply->setObjectName(QStringLiteral("1231"));
    apply->hide();
    connect(apply, &QPushButton::clicked, this, &CTIDParam::Apply);
    auto* simulate = new QPushButton(QStringLiteral("Simulation"), this);
    simulate->setObjectName(QStringLiteral("1278"));
    simulate->hide();
    connect(simulate, &QPushButton::clicked, this,
            [this] { platform::PostMessage(view_, kTunerPageMessage, kPageSimulate, 0); });
}

void CTIDParam::FillTypes(int filter) {
    type_->clear();
    for (int t = 1; t <= FilterTypesOffered(filter); ++t) type_->addItem(FilterTypeName(t));
}

void CTIDParam::ShowFilter(int r) {
    const CFilterEntry& e = filters_[r];
    for (int f = 0; f < 4; ++f) {
        CFilterField field = FilterField(e.type, f);
        labels_[f]->setVisible(field.shown);
        fields_[f]->setVisible(field.shown);
        fields_[f]->setEnabled(field.shown);
        labels_[f]->setText(QString::fromLatin1(field.label));
        if (!field.shown)
            fields_[f]->clear();
        else if (e.p[f] == 0)
            fields_[f]->setText(QString::fromLatin1(field.defaultText));
        else
            fields_[f]->setText(QString::asprintf(field.format, double(e.p[f])));
    }
    type_->setCurrentIndex(e.type - 1);
    active_->setChecked(e.active != 0);
    filterButtons_[r]->setChecked(true);
}

void CTIDParam::StoreSelected() {
    CFilterEntry& e = filters_[selectedFilter];
    e.active = active_->isChecked() ? 1 : 0;
    e.type = static_cast<std::uint8_t>(type_->currentIndex() + 1);
    for (int f = 0; f < 4; ++f)
        if (FilterField(e.type, f).shown)
            e.p[f] = TypedFloat(fields_[f]->text());
}

void CTIDParam::SelectFilter(int r) {
    if (r == selectedFilter || r < 0 || r >= kFilterCount)
        return;
    StoreSelected();
    FillTypes(r);
    ShowFilter(r);
    selectedFilter = r;
}

void CTIDParam::ChangeType(int t) {
    if (t < 1 || t > FilterTypesOffered(selectedFilter))
        return;
    CFilterEntry& e = filters_[selectedFilter];
    e.type = static_cast<std::uint8_t>(t);
    e.active = active_->isChecked() ? 1 : 0;  // a tick given before the type stays
    ShowFilter(selectedFilter);
}

CLoopGains CTIDParam::Gains() const {
    return {TypedFloat(gains_[0]->text()), TypedFloat(gains_[1]->text()),
            TypedFloat(gains_[2]->text())};
}

void CTIDParam::Apply() {
    if (!CSimLibrary::ProbeAtanx(baseFolder_))
        platform::MessageBox(tunertext::Text(tunertext::NoSimulation, language_));
}
