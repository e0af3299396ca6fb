#include "scope/textspin.h"

#include <QKeyEvent>
#include <QLineEdit>

CTextSpin::CTextSpin(bool editable, QWidget* parent) : QAbstractSpinBox(parent) {
    lineEdit()->setReadOnly(!editable);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

QString CTextSpin::Text() const {
    return lineEdit()->text();
}

void CTextSpin::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void CTextSpin::stepBy(int steps) {
    if (steps != 0)
        emit stepped(steps > 0 ? 1 : -1);
}

void CTextSpin::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !lineEdit()->isReadOnly()) {
        emit committed();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}
