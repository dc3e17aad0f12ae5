// SPDX-License-Identifier: MIT
#include "framework/Random.h"

#include <utility>

namespace {
RandomSource* installed = nullptr;
}  // namespace

void setRandom(RandomSource* source) {
    installed = source;
}

void shuffle(std::vector<int>& list) {
    static SeededRandom randomlySeeded(std::random_device{}());
    RandomSource& source = installed ? *installed : randomlySeeded;
    for (int i = static_cast<int>(list.size()) - 1; i > 0; --i) {
        std::swap(list[i], list[source.below(i + 1)]);
    }
}
