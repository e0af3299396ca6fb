#include "pages/popuphelpdlg.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/global.h"

PopupHelpDlg::PopupHelpDlg(CGlobal& g, QWidget* parent)
    : QDialog(parent), g_(g), text_(new QPlainTextEdit(this)), ok_(new QPushButton(this)) {
    setWindowTitle(QCoreApplication::translate("PopupHelpDlg", "帮助"));
    setObjectName("PopupHelpDlg228");
    text_->setReadOnly(true);
    text_->setObjectName("helpText1293");
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    resize(420, 320);
}

void PopupHelpDlg::showEvent(QShowEvent* event) {
    text_->setPlainText(QString());
    // Stored with Windows line ends; the text box shows plain line breaks.
    text_->setPlainText(QString(helpText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    ok_->setText(g_.language == 1 ? QStringLiteral("确定") : QStringLiteral("OK"));
    QDialog::showEvent(event);
}

QString PopupHelpDlg::ShownText() const {
    return text_->toPlainText();
}
QString PopupHelpDlg::OkCaption() const {
    return ok_->text();
}
