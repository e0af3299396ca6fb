#pragma once
// The buttons at the foot of the program's small pages and dialogs.
#include <QHBoxLayout>
#include <QPushButton>
#include <initializer_list>

// A push button named by its control id.
inline QPushButton* MakeButton(const QString& text, const char* id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(id);
    return button;
}

// The buttons in a row at the right edge, in the order given.
inline QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons) row->addWidget(button);
    return row;
}
