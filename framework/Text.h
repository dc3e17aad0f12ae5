// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The decimal text of an integer: digits, a leading "-" when negative.
inline QString Str(int value) {
    return QString::number(value);
}
