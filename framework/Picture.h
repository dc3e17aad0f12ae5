// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <memory>

// An image the game shows. Pictures are shared: the game compares two tiles'
// colours by asking whether they hold the very same Picture object.
class Picture {
  public:
    explicit Picture(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}
    const QPixmap& pixmap() const { return pixmap_; }

  private:
    QPixmap pixmap_;
};

using PictureRef = std::shared_ptr<const Picture>;

// Loads the application's picture resource of the given number
// (":/pictures/<number>.png", with its @2x twin on high-density screens).
// A missing resource gives a visible placeholder rather than nothing.
PictureRef loadPictureResource(int number);
