#include "tuner/tidsetting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "tuner/keyfilter.h"

namespace {
QString Tr(const char* text) {
    return QCoreApplication::translate("CTIDSetting", text);
}
}  // namespace

CTIDSetting::CTIDSetting(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CTIDSetting"));
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(4, 1);
    AddCombos();
    amplitude_ = AddBox(1282, QT_TRANSLATE_NOOP("CTIDSetting", "电流幅值(DEC)"), "60", 0, 2);
    AddBox(1056, QT_TRANSLATE_NOOP("CTIDSetting", "速度/位移幅值"), "100", 1, 2);
    from_ = AddBox(1057, QT_TRANSLATE_NOOP("CTIDSetting", "起始频率"), "6", 2, 2);
    end_ = AddBox(1058, QT_TRANSLATE_NOOP("CTIDSetting", "截止频率"), "1000", 3, 2);
    step_ = AddBox(1059, QT_TRANSLATE_NOOP("CTIDSetting", "步进频率"), "4", 4, 2);
    for (int row = 2; row <= 4; ++row) grid->addWidget(new QLabel(QStringLiteral("HZ")), row, 4);
    grid->setRowStretch(5, 1);
}

void CTIDSetting::AddCombos() {
    auto* grid = static_cast<QGridLayout*>(layout());
    struct Combo {
        int id;
        const char* label;
        const char* entry;
        bool enabled;
    } combos[] = {{1138, QT_TRANSLATE_NOOP("CTIDSetting", "激励类型"), "Normal", false},
                  {1281, QT_TRANSLATE_NOOP("CTIDSetting", "激励模式"), "Open", true},
                  {1139, QT_TRANSLATE_NOOP("CTIDSetting", "激励指令"), "Current", false}};
    int row = 0;
    for (const Combo& c : combos) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::number(c.id));
        box->addItem(QString::fromLatin1(c.entry));
        box->setEnabled(c.enabled);
        grid->addWidget(new QLabel(Tr(c.label), this), row, 0);
        grid->addWidget(box, row++, 1);
    }
    auto* automatic = new QCheckBox(Tr(QT_TRANSLATE_NOOP("CTIDSetting", "自动幅值")), this);
    automatic->setObjectName(QStringLiteral("1235"));
    grid->addWidget(automatic, row++, 1);
    auto* gravity = new QCheckBox(QStringLiteral("Gravity"), this);
    gravity->setObjectName(QStringLiteral("1236"));
    gravity->hide();
}

QLineEdit* CTIDSetting::AddBox(int id, const char* label, const char* text, int row, int column) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* box = new QLineEdit(QString::fromLatin1(text), this);
    box->setObjectName(QString::number(id));
    box->setFixedWidth(90);
    box->installEventFilter(new CKeyFilter(QString::fromLatin1(CKeyFilter::kSigned), box));
    grid->addWidget(new QLabel(Tr(label), this), row, column);
    grid->addWidget(box, row, column + 1);
    return box;
}
