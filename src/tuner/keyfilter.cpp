#include "tuner/keyfilter.h"

#include <QKeyEvent>

bool CKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace || key->modifiers().testFlag(Qt::KeypadModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!allowed_.contains(c))
            return true;  // discarded
    return false;
}
