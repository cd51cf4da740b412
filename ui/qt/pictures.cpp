#include "ui/qt/pictures.h"

#include <QImage>
#include <QString>
#include <cmath>

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

QPixmap loadBitmapSized(int number, QSizeF size, qreal devicePixelRatio) {
    QImage picture(QStringLiteral(":/bitmaps/%1.bmp").arg(number));
    if (picture.isNull()) {
        return {};
    }
    const QSize device(static_cast<int>(std::lround(size.width() * devicePixelRatio)),
                       static_cast<int>(std::lround(size.height() * devicePixelRatio)));
    if (device.isEmpty()) {
        return {};
    }
    // From half again as large, the double-size drawing brought down shows more of its detail
    // than the classic one blown up.
    if (device.width() * 2 >= picture.width() * 3) {
        const QImage large(QStringLiteral(":/bitmaps/%1@2x.png").arg(number));
        if (!large.isNull()) {
            picture = large;
        }
    }
    if (picture.size() != device) {
        picture = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon gameIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/icon.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/pictures/icon@2x.png"), QSize(64, 64));
    return icon;
}

}  // namespace zentrix::ui
