#include "app/chglang.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/buttonrow.h"
#include "app/global.h"
#include "platform/msgbox.h"
#include "platform/profile.h"

using namespace platform;

CChgLang::CChgLang(CGlobal& global, QWidget* parent) : QDialog(parent), global_(global) {
    setWindowTitle(tr("语言切换"));
    chinese_ = new QRadioButton(tr("简体中文"), this);
    chinese_->setObjectName("1136");
    english_ = new QRadioButton(QStringLiteral("English"), this);
    english_->setObjectName("1137");
    auto* group = new QButtonGroup(this);
    group->addButton(chinese_);
    group->addButton(english_);
    ok_ = MakeButton(tr("确定"), "1090", this);
    ok_->setDefault(true);
    cancel_ = MakeButton(tr("取消"), "1091", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chinese_);
    layout->addWidget(english_);
    layout->addWidget(new QLabel(tr("设置在程序重启后生效。"), this));
    layout->addLayout(ButtonRow({ok_, cancel_}));
    connect(ok_, &QPushButton::clicked, this, &CChgLang::OnOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    const QString& ini = global_.settingsPath;
    if (global_.systemLanguage != 1)
        WriteProfileString(ini, "sys", "lang", "2");
    int lang = CNumbers::ParseDecimal(GetProfileString(ini, "sys", "lang", {}, 4));
    // Neither is checked for another value, so OK writes nothing until a choice is made.
    group->setExclusive(false);
    chinese_->setChecked(lang == 1);
    english_->setChecked(lang == 2);
    group->setExclusive(true);
}

void CChgLang::OnOk() {
    const QString& ini = global_.settingsPath;
    if (chinese_->isChecked()) {
        if (global_.systemLanguage != 1) {
            MessageBox(
                QStringLiteral("Your computer OS doesn't support the Chinese version. "
                               "\r\n Seting is non-effective!!"));
            english_->setChecked(true);
            return;
        }
        WriteProfileString(ini, "sys", "lang", "1");
    } else if (english_->isChecked()) {
        WriteProfileString(ini, "sys", "lang", "2");
    }
    accept();
}
