// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <memory>

// Shared, because the game tells two tiles' colours apart by whether they
// hold the very same Picture.
class Picture {
  public:
    explicit Picture(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}
    const QPixmap& pixmap() const { return pixmap_; }

  private:
    QPixmap pixmap_;
};

using PictureRef = std::shared_ptr<const Picture>;

// ":/pictures/<number>.png", or its @2x twin on a high-density screen; a
// crossed black tile if the resource is missing, so the gap shows.
PictureRef loadPictureResource(int number);
