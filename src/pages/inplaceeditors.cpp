#include "pages/inplaceeditors.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include "pages/combolistctrl.h"

namespace {
QPointer<CInPlaceEdit> g_edit;
QPointer<CInPlaceCombo> g_combo;
}  // namespace

// ---- edit box ----

CInPlaceEdit::CInPlaceEdit(CComboListCtrl* grid) : QLineEdit(grid->viewport()), grid_(grid) {
    setFrame(false);
    setContextMenuPolicy(Qt::NoContextMenu);  // no paste through the menu either
    installEventFilter(grid);
}

CInPlaceEdit* CInPlaceEdit::Instance() {
    return g_edit.data();
}

CInPlaceEdit* CInPlaceEdit::Create(CComboListCtrl* grid, const QRect& rect) {
    if (g_edit && g_edit->grid_ != grid)
        DestroyShared();
    if (!g_edit) {
        g_edit = new CInPlaceEdit(grid);
        g_edit->setFont(grid->font());
        g_edit->setGeometry(rect);
    }
    return g_edit.data();
}

void CInPlaceEdit::DestroyShared() {
    if (!g_edit)
        return;
    g_edit->ended_ = true;  // a destroyed editor reports nothing
    delete g_edit.data();
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste))
        return;
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        bool enter = event->key() != Qt::Key_Escape;
        if (!enter)
            cancelled = 1;
        CComboListCtrl::SetEnterDown(enter);
        if (grid_)
            grid_->setFocus(Qt::OtherFocusReason);
        EndEdit();  // also when the grid already had the focus chain elsewhere
        CComboListCtrl::SetEnterDown(false);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CInPlaceEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton)
        return;  // selection paste
    QLineEdit::mousePressEvent(event);
}

bool CInPlaceEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            event->accept();  // swallow: keyPressEvent drops it
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    EndEdit();
}

void CInPlaceEdit::EndEdit() {
    if (ended_)
        return;
    ended_ = true;
    QString reported = cancelled ? initialText : text();
    if (grid_)
        grid_->OnEndLabelEdit(row, column, reported);
    hide();
    deleteLater();
}

// ---- drop-down list ----

CInPlaceCombo::CInPlaceCombo(CComboListCtrl* grid) : QComboBox(grid->viewport()), grid_(grid) {
    installEventFilter(grid);
    connect(this, &QComboBox::activated, this, [this] { ReturnFocus(); });
}

CInPlaceCombo* CInPlaceCombo::Instance() {
    return g_combo.data();
}

CInPlaceCombo* CInPlaceCombo::Create(CComboListCtrl* grid, const QRect& rect,
                                     const QStringList& entries) {
    if (g_combo && g_combo->grid_ != grid)
        DestroyShared();
    if (!g_combo) {
        g_combo = new CInPlaceCombo(grid);
        g_combo->setFont(grid->font());
        g_combo->setGeometry(rect);
        g_combo->setMaxVisibleItems(entries.size() + 10);
        g_combo->addItems(entries);
        g_combo->show();
        g_combo->setFocus(Qt::OtherFocusReason);
    }
    return g_combo.data();
}

void CInPlaceCombo::DestroyShared() {
    if (!g_combo)
        return;
    g_combo->ended_ = true;
    delete g_combo.data();
}

void CInPlaceCombo::hidePopup() {
    QComboBox::hidePopup();
    // The choice is applied after the popup hides; hand the focus back once it is.
    QTimer::singleShot(0, this, [this] { ReturnFocus(); });
}

void CInPlaceCombo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cancelled = 1;
        ReturnFocus();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ReturnFocus();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CInPlaceCombo::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    EndEdit();
}

void CInPlaceCombo::ReturnFocus() {
    if (ended_)
        return;
    if (grid_)
        grid_->setFocus(Qt::OtherFocusReason);
    EndEdit();
}

void CInPlaceCombo::EndEdit() {
    if (ended_)
        return;
    ended_ = true;
    QString reported = cancelled ? initialText : currentText();
    if (grid_)
        grid_->OnEndLabelEdit(row, column, reported);
    hide();
    deleteLater();
}
