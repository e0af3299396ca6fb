#include "resources/appicon.h"

namespace resources {

QIcon AppIcon() {
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            sizes.addFile(QStringLiteral(":/icons/%1x%1/veltoservo.png").arg(size),
                          QSize(size, size));
        return sizes;
    }();
    return icon;
}

}  // namespace resources
