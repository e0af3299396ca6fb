#pragma once
// A curve's check box: its caption is drawn in white on the curve's colour, so the boxes
// beside the plot are its legend.
#include <QCheckBox>
#include <QColor>

class CCurveCheckBox : public QCheckBox {
    Q_OBJECT
public:
    CCurveCheckBox(const QString& caption, const QColor& colour, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};
