#pragma once
// The language switch: writes the choice to [sys] "lang"; it takes effect at the next start.
#include <QDialog>

class CGlobal;
class QRadioButton;
class QPushButton;

class CChgLang : public QDialog {
    Q_OBJECT
public:
    explicit CChgLang(CGlobal& global, QWidget* parent = nullptr);

    QRadioButton* chineseButton() const { return chinese_; }  // 1136
    QRadioButton* englishButton() const { return english_; }  // 1137
    QPushButton* okButton() const { return ok_; }             // 1090
    QPushButton* cancelButton() const { return cancel_; }     // 1091

private:
    void OnOk();

    CGlobal& global_;
    QRadioButton* chinese_ = nullptr;
    QRadioButton* english_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
