#pragma once
// The small icons of the I/O and error pages: lamps and two-state switches, drawn in code.
#include <QPixmap>

namespace resources {

enum IconId : int {
    IDI_LAMP_OFF = 205,    // a clear bit
    IDI_SWITCH_ON = 206,   // a set switch bit
    IDI_SWITCH_OFF = 207,  // a clear switch bit
    IDI_LAMP_RED = 210,    // an error bit that is set
    IDI_LAMP_GREEN = 211,  // a set bit, or an error bit that is clear
};

constexpr int kIconSize = 20;

// The icon, or a null pixmap for other ids.
QPixmap LoadIcon(int id);

}  // namespace resources
