#pragma once
// The client area of the main window: holds the page frames, with the background bitmap
// stretched over it.
#include <QMdiArea>
#include <QPixmap>

class CClientWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CClientWnd(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap bitmap_;
};
