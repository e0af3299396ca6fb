#pragma once
// A small multi-line tool tip drawn over an owner window's child controls. The owner calls
// TrackTip on mouse movement; a control's tip is shown when its text does not fit or has
// several lines.
#include <QColor>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <vector>

struct ToolTipInfo {
    int controlId = 0;
    int lineCount = 0;
    int widthAllowance = 0;
    QStringList lines;
    QColor textColour;
    QColor backColour;
};

class CUserToolTip {
public:
    // `language` is the program's (1 Chinese): the tip's width follows it.
    CUserToolTip(QWidget* owner, const std::atomic<std::uint8_t>& language);
    ~CUserToolTip();
    CUserToolTip(const CUserToolTip&) = delete;
    CUserToolTip& operator=(const CUserToolTip&) = delete;

    // Controls are named by the "controlId" property of the owner's child widgets.
    static void SetControlId(QWidget* control, int id);
    static int ControlIdOf(const QWidget* control);

    int AddTool(int controlId, const QStringList& lines, int widthAllowance, QColor background,
                QColor text);
    void RemoveTool(int controlId);
    void TrackTip(const QPoint& point);
    void ShowTip(int controlId);
    void HideTip();

    int CurrentId() const { return currentId_; }
    QSize TipSize() const { return QSize(width_, height_); }
    QRect TipRect() const;  // in owner coordinates; empty when nothing is shown
    int FontHeight() const { return fontHeight_; }
    // The text width measure of a line (a character counts twice in Chinese).
    int LineLength(const QString& line) const;

private:
    class Overlay;
    const ToolTipInfo* Find(int controlId) const;
    QWidget* ControlById(int controlId) const;

    QPointer<QWidget> owner_;
    const std::atomic<std::uint8_t>& language_;
    std::vector<ToolTipInfo> tools_;
    int currentId_ = 0;
    int width_ = 0;
    int height_ = 0;
    int fontHeight_ = 14;
    int lineCount_ = 0;
    int longest_ = 0;
    int allowance_ = 0;
    QPointer<QWidget> overlay_;
};
