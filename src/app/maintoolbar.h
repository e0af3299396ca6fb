#pragma once
// The main window's tool bar: 13 positions (10 buttons, 3 separators) whose images come from
// one of three image sets: closed (205), open (211) or fault (210).
#include <QIcon>
#include <QPixmap>
#include <QToolBar>
#include <functional>
#include <map>
#include <vector>

class CMainToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CMainToolBar(std::function<void(int command)> onCommand, QWidget* parent = nullptr);

    // Shows the image set; any other id shows "Toolbar Update is Error!!" and ends the program.
    void SetImageSet(int setId);
    int imageSet() const { return set_; }
    // How often the images were switched (the blink and the fault display are watched by it).
    int switchCount() const { return switches_; }

    QAction* Action(int command) const;
    // Command ids of the 13 positions, 0 for a separator.
    static const std::vector<int>& Layout();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap band_;
    std::map<int, std::vector<QIcon>> sets_;
    std::vector<QAction*> buttons_;
    int set_ = 0;
    int switches_ = 0;
};
