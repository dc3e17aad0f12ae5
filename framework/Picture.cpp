// SPDX-License-Identifier: MIT
#include "framework/Picture.h"

#include <QGuiApplication>
#include <QPainter>

PictureRef loadPictureResource(int number) {
    const QString base = QStringLiteral(":/pictures/%1").arg(number);
    auto picture = std::make_shared<Picture>();
    if (qApp && qApp->devicePixelRatio() > 1.0 && picture->load(base + QStringLiteral("@2x.png"))) {
        picture->setDevicePixelRatio(2.0);
    } else if (!picture->load(base + QStringLiteral(".png"))) {
        *picture = QPixmap(32, 32);
        picture->fill(Qt::black);
        QPainter painter(picture.get());
        painter.setPen(Qt::white);
        painter.drawLine(0, 0, 31, 31);
        painter.drawLine(31, 0, 0, 31);
    }
    return picture;
}
