#pragma once
// Builds the main window's menu (resource 102) and keeps one action per command.
#include <QAction>
#include <functional>
#include <map>

class QMenuBar;

class CMenuBuilder {
public:
    using CommandHandler = std::function<void(int command)>;
    // Fills the menu bar; every item calls `onCommand` with its command id.
    CMenuBuilder(QMenuBar* bar, CommandHandler onCommand);

    QAction* Action(int command) const;
    const std::map<int, QAction*>& Actions() const { return actions_; }

private:
    std::map<int, QAction*> actions_;
};
