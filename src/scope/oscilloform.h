#pragma once
// The controls of the oscilloscope page and where they sit; the page and its helpers hold
// pointers to them (the widgets belong to the page).
#include <QSize>
#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;
class QWidget;
class CTextSpin;
class CScopeGraphView;
class CMyGraph;

struct ChannelControls {
    QCheckBox* check = nullptr;
    QComboBox* object = nullptr;
    QPushButton* pick = nullptr;
    QComboBox* unit = nullptr;
    QCheckBox* autoScale = nullptr;
    CTextSpin* scale = nullptr;
    CTextSpin* offset = nullptr;
};

struct TriggerControls {
    QComboBox* source = nullptr;
    QPushButton* pick = nullptr;
    QComboBox* unit = nullptr;
    QLineEdit* level = nullptr;
    QToolButton* edge = nullptr;
};

struct ReadoutControls {
    std::array<QRadioButton*, 3> mode{};  // none, one cursor, two cursors
    std::array<QSlider*, 2> cursor{};
    QComboBox* channel = nullptr;
    QLabel* timeCaption = nullptr;
    QLabel* dataCaption = nullptr;
    std::array<QLineEdit*, 3> time{};   // cursor 1, cursor 2, difference
    std::array<QLineEdit*, 3> value{};  // the same
};

struct CaptureControls {
    QLineEdit* period = nullptr;
    QLabel* periodText = nullptr;
    QLineEdit* pointerOffset = nullptr;
    QLineEdit* sampleCount = nullptr;
    QPushButton* start = nullptr;
    QPushButton* reread = nullptr;
    QCheckBox* continuous = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* importButton = nullptr;
    QLabel* status = nullptr;
    QProgressBar* progress = nullptr;
};

struct OscilloForm {
    CScopeGraphView* graphView = nullptr;
    std::array<ChannelControls, 4> channels;
    TriggerControls trigger;
    ReadoutControls readouts;
    CaptureControls capture;
};

// Builds the controls on the page below (and around) the graph's area.
void BuildOscilloForm(QWidget* page, CMyGraph& graph, OscilloForm& form);
// The size the built page needs.
QSize OscilloFormSize(QWidget* page);
