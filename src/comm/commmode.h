#pragma once
// The communication mode page: offline, serial (RS232C) or CAN; Next leads to the link page.
#include "app/pageview.h"

class CGlobal;
class QPushButton;
class QRadioButton;

class CCommMode : public CPageView {
    Q_OBJECT
public:
    explicit CCommMode(CGlobal& global, QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    QRadioButton* canButton() const { return can_; }          // 1011
    QRadioButton* serialButton() const { return serial_; }    // 1025
    QRadioButton* offlineButton() const { return offline_; }  // 1031
    QRadioButton* rs485Button() const { return rs485_; }      // 1019
    QRadioButton* usbButton() const { return usb_; }          // 1013
    QPushButton* nextButton() const { return next_; }         // 1003
    QPushButton* cancelButton() const { return cancel_; }     // 1004

private:
    QRadioButton* MakeRadio(const QString& text, const char* id);
    void Select(int mode);
    void OnNext();

    CGlobal& global_;
    QRadioButton* can_ = nullptr;
    QRadioButton* serial_ = nullptr;
    QRadioButton* offline_ = nullptr;
    QRadioButton* rs485_ = nullptr;
    QRadioButton* usb_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
