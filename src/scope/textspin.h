#pragma once
// A field with up/down arrows whose steps the page computes itself (the 1-2-5 scale, the
// half-division offset). Arrow clicks, the arrow keys and the wheel emit stepped(+1 up, -1
// down); Enter in an editable field emits committed().
#include <QAbstractSpinBox>

class CTextSpin : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CTextSpin(bool editable, QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    void stepBy(int steps) override;

signals:
    void stepped(int direction);
    void committed();

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    void keyPressEvent(QKeyEvent* event) override;
};
