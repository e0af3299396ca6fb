#pragma once
// The two trigger-edge icons of the oscilloscope page, drawn in code.
#include <QIcon>

namespace scopeicons {

// Falling edge for a nonzero edge value (icon 212), rising edge for 0 (icon 213).
QIcon TriggerEdge(bool falling);

}  // namespace scopeicons
