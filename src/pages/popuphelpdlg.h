#pragma once
// The help popup of one object: a read-only text and an OK button, shown modally.
#include <QDialog>
#include <QString>

class CGlobal;
class QPlainTextEdit;
class QPushButton;

class PopupHelpDlg : public QDialog {
    Q_OBJECT
public:
    explicit PopupHelpDlg(CGlobal& g, QWidget* parent = nullptr);
    QString helpText;

    QString ShownText() const;
    QString OkCaption() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CGlobal& g_;
    QPlainTextEdit* text_;
    QPushButton* ok_;
};
