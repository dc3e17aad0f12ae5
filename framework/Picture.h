// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <memory>

// Shared, because the game tells two tiles' colours apart by whether they
// hold the very same picture.
using Picture = QPixmap;
using PictureRef = std::shared_ptr<const Picture>;

// ":/pictures/<number>.png", or its @2x twin on a high-density screen; a
// crossed black tile if the resource is missing, so the gap shows.
PictureRef loadPictureResource(int number);
