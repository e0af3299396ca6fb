#include "pages/usertooltip.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

// The tip itself: painted straight over the owner, above its controls.
class CUserToolTip::Overlay : public QWidget {
public:
    Overlay(QWidget* owner, const ToolTipInfo& info, int fontHeight)
        : QWidget(owner), info_(info), fontHeight_(fontHeight) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QRect r = rect();
        p.fillRect(r, info_.backColour);
        qDrawShadeRect(&p, r, palette(), true, 1);  // etched edge
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPixelSize(fontHeight_);
        font.setWeight(QFont::Normal);
        p.setFont(font);
        p.setPen(info_.textColour);
        p.setBackgroundMode(Qt::TransparentMode);
        for (int k = 0; k < info_.lines.size(); ++k)
            p.drawText(QRect(5, 5 + k * (fontHeight_ - 1), r.width() - 5, fontHeight_),
                       Qt::AlignLeft | Qt::AlignTop, info_.lines.at(k));
    }

private:
    ToolTipInfo info_;
    int fontHeight_;
};

CUserToolTip::CUserToolTip(QWidget* owner, const std::atomic<std::uint8_t>& language)
    : owner_(owner), language_(language) {}

CUserToolTip::~CUserToolTip() {
    delete overlay_.data();
}

void CUserToolTip::SetControlId(QWidget* control, int id) {
    control->setProperty("controlId", id);
}

int CUserToolTip::ControlIdOf(const QWidget* control) {
    return control ? control->property("controlId").toInt() : 0;
}

int CUserToolTip::AddTool(int controlId, const QStringList& lines, int widthAllowance,
                          QColor background, QColor text) {
    if (lines.isEmpty())
        return 0;
    tools_.push_back({controlId, int(lines.size()), widthAllowance, lines, text, background});
    return 1;
}

void CUserToolTip::RemoveTool(int controlId) {
    if (controlId == currentId_) {
        HideTip();
        currentId_ = 0;
    }
    std::erase_if(tools_, [controlId](const ToolTipInfo& t) { return t.controlId == controlId; });
}

const ToolTipInfo* CUserToolTip::Find(int controlId) const {
    for (const ToolTipInfo& t : tools_)
        if (t.controlId == controlId)
            return &t;
    return nullptr;
}

QWidget* CUserToolTip::ControlById(int controlId) const {
    if (!owner_)
        return nullptr;
    for (QWidget* w : owner_->findChildren<QWidget*>())
        if (ControlIdOf(w) == controlId)
            return w;
    return nullptr;
}

int CUserToolTip::LineLength(const QString& line) const {
    int length = int(line.size());
    return language_.load() == 1 ? length * 2 : length;
}

void CUserToolTip::TrackTip(const QPoint& point) {
    if (!owner_)
        return;
    QWidget* child = owner_->childAt(point);
    while (child && child != owner_ && ControlIdOf(child) == 0) child = child->parentWidget();
    if (!child || child == owner_ || child == overlay_)
        return;
    int id = ControlIdOf(child);
    if (id == currentId_)
        return;
    HideTip();
    currentId_ = Find(id) ? id : 0;
    if (currentId_)
        ShowTip(id);
}

void CUserToolTip::ShowTip(int controlId) {
    const ToolTipInfo* info = Find(controlId);
    QWidget* control = ControlById(controlId);
    if (!info || !control || !owner_)
        return;
    HideTip();
    lineCount_ = info->lineCount;
    allowance_ = info->widthAllowance;
    longest_ = 0;
    for (const QString& line : info->lines) longest_ = std::max(longest_, LineLength(line));
    fontHeight_ = 14;
    height_ = (fontHeight_ - 1) * lineCount_ + 12;
    width_ = longest_ * 6 + 10;
    QRect c(control->mapTo(owner_, QPoint(0, 0)), control->size());
    if (!(c.width() + allowance_ < width_ || lineCount_ > 1)) {
        width_ = height_ = 0;
        return;
    }
    QRect o = owner_->rect();
    int top = c.bottom() + 1;
    if (o.bottom() + 1 < c.bottom() + 1 + height_) {
        if (o.height() < height_) {
            height_ = lineCount_ * 11 + 12;
            width_ = longest_ * 7 + 10;
            fontHeight_ = 12;
        }
        top = c.top() - height_;
    }
    int left = c.right() > o.right() ? o.left() : c.left();
    overlay_ = new Overlay(owner_, *info, fontHeight_);
    overlay_->setGeometry(left, top, width_, height_);
    overlay_->show();
    overlay_->raise();
}

QRect CUserToolTip::TipRect() const {
    return overlay_ ? overlay_->geometry() : QRect();
}

void CUserToolTip::HideTip() {
    if (overlay_) {
        QRect area = overlay_->geometry();
        delete overlay_.data();
        if (owner_)
            owner_->repaint(area);
    }
    width_ = height_ = 0;
}
