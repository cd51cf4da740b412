#include "ui/pictures.h"

#include <QString>

namespace zentrix::ui {

QPixmap loadBitmap(int number, qreal devicePixelRatio) {
    if (devicePixelRatio > 1.0) {
        QPixmap large(QStringLiteral(":/bitmaps/%1@2x.png").arg(number));
        if (!large.isNull()) {
            large.setDevicePixelRatio(2.0);
            return large;
        }
    }
    QPixmap classic(QStringLiteral(":/bitmaps/%1.bmp").arg(number));
    classic.setDevicePixelRatio(1.0);
    return classic;
}

QIcon gameIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/icon.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/pictures/icon@2x.png"), QSize(64, 64));
    return icon;
}

}  // namespace zentrix::ui
