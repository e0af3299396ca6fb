#pragma once
// The program's own icon (resources/icons/veltoservo.svg, rendered at build time) for the main
// window, every page frame and the dialogs.
#include <QIcon>

namespace resources {

QIcon AppIcon();

}  // namespace resources
