#pragma once
// Key filter of the tuner's number boxes: keys that would type a character other than the
// allowed ones are discarded; Backspace and the numeric keypad always pass, as do keys that
// type nothing (cursor movement, Tab).
#include <QObject>
#include <QString>

class CKeyFilter : public QObject {
public:
    CKeyFilter(const QString& allowed, QObject* parent) : QObject(parent), allowed_(allowed) {}

    // Digits, "." and "-" (scan settings, filter parameters); digits and "." (gains).
    static constexpr const char* kSigned = "0123456789.-";
    static constexpr const char* kUnsigned = "0123456789.";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString allowed_;
};
