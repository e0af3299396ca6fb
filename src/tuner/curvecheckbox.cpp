#include "tuner/curvecheckbox.h"

#include <QPainter>
#include <QStyleOptionButton>

CCurveCheckBox::CCurveCheckBox(const QString& caption, const QColor& colour, QWidget* parent)
    : QCheckBox(caption, parent), colour_(colour) {}

QSize CCurveCheckBox::sizeHint() const {
    QSize hint = QCheckBox::sizeHint();
    return QSize(hint.width() + 6, hint.height());
}

void CCurveCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect text = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    option.text.clear();
    style()->drawControl(QStyle::CE_CheckBox, &option, &p, this);
    QRect caption =
        fontMetrics().boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter, this->text());
    p.fillRect(caption.adjusted(-1, 0, 3, 0), colour_);
    p.setPen(Qt::white);
    p.drawText(text.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, this->text());
}
