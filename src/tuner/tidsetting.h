#pragma once
// The scan settings page of the tuner (tab "Settings"): excitation choices and the amplitude,
// start, end and step boxes. Only the amplitude and the three frequencies reach the drive.
#include <QWidget>

class QLineEdit;

class CTIDSetting : public QWidget {
    Q_OBJECT
public:
    explicit CTIDSetting(QWidget* parent = nullptr);

    QLineEdit* amplitude() const { return amplitude_; }  // 1282
    QLineEdit* from() const { return from_; }            // 1057
    QLineEdit* end() const { return end_; }              // 1058
    QLineEdit* step() const { return step_; }            // 1059

private:
    QLineEdit* AddBox(int id, const char* label, const char* text, int row, int column);
    void AddCombos();

    QLineEdit* amplitude_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* end_ = nullptr;
    QLineEdit* step_ = nullptr;
};
