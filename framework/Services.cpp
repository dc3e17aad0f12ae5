// SPDX-License-Identifier: MIT
#include "framework/Services.h"

Services& services() {
    static Services inUse;
    return inUse;
}
