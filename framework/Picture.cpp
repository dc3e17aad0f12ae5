// SPDX-License-Identifier: MIT
#include "framework/Picture.h"

#include <QGuiApplication>
#include <QPainter>

PictureRef loadPictureResource(int number) {
    const QString base = QStringLiteral(":/pictures/%1").arg(number);
    QPixmap pixmap;
    if (qApp && qApp->devicePixelRatio() > 1.0 && pixmap.load(base + QStringLiteral("@2x.png"))) {
        pixmap.setDevicePixelRatio(2.0);
    } else if (!pixmap.load(base + QStringLiteral(".png"))) {
        pixmap = QPixmap(32, 32);
        pixmap.fill(Qt::black);
        QPainter painter(&pixmap);
        painter.setPen(Qt::white);
        painter.drawLine(0, 0, 31, 31);
        painter.drawLine(31, 0, 0, 31);
    }
    return std::make_shared<const Picture>(std::move(pixmap));
}
