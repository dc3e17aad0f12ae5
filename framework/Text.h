// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

inline QString Str(int value) {
    return QString::number(value);
}
