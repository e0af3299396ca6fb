#pragma once
// The shared in-place editors of the parameter grid: one edit box and one drop-down list for
// the whole program. Each lives from its opening until it loses the focus, then reports its
// text to its grid (the end-of-label-edit notification) and closes itself.
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>

class CComboListCtrl;

class CInPlaceEdit : public QLineEdit {
    Q_OBJECT
public:
    // The shared instance, or nullptr while none is open.
    static CInPlaceEdit* Instance();
    static CInPlaceEdit* Create(CComboListCtrl* grid, const QRect& rect);
    static void DestroyShared();

    int row = -1;
    int column = -1;
    int cancelled = 0;
    QString initialText;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    explicit CInPlaceEdit(CComboListCtrl* grid);
    void EndEdit();
    QPointer<CComboListCtrl> grid_;
    bool ended_ = false;
};

class CInPlaceCombo : public QComboBox {
    Q_OBJECT
public:
    static CInPlaceCombo* Instance();
    static CInPlaceCombo* Create(CComboListCtrl* grid, const QRect& rect,
                                 const QStringList& entries);
    static void DestroyShared();

    void hidePopup() override;

    int row = -1;
    int column = -1;
    int cancelled = 0;
    QString initialText;
    QStringList entries;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    explicit CInPlaceCombo(CComboListCtrl* grid);
    void ReturnFocus();
    void EndEdit();
    QPointer<CComboListCtrl> grid_;
    bool ended_ = false;
};
