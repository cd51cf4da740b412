#include "ui/qt/pictures.h"

#include <QString>

namespace zentrix::ui {

QPixmap loadPicture(const QString& classic, const QString& large, qreal devicePixelRatio) {
    if (devicePixelRatio > 1.0) {
        QPixmap big(large);
        if (!big.isNull()) {
            big.setDevicePixelRatio(2.0);
            return big;
        }
    }
    QPixmap picture(classic);
    picture.setDevicePixelRatio(1.0);
    return picture;
}

QPixmap loadBitmap(int number, qreal devicePixelRatio) {
    return loadPicture(QStringLiteral(":/bitmaps/%1.bmp").arg(number),
                       QStringLiteral(":/bitmaps/%1@2x.png").arg(number), devicePixelRatio);
}

QIcon gameIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/icon.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/pictures/icon@2x.png"), QSize(64, 64));
    return icon;
}

}  // namespace zentrix::ui
