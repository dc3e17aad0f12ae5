// SPDX-License-Identifier: MIT
#include "framework/Random.h"

namespace {
RandomSource* installed = nullptr;
}  // namespace

int SeededRandom::below(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

RandomSource& randomSource() {
    static SeededRandom randomlySeeded(std::random_device{}());
    return installed ? *installed : randomlySeeded;
}

void setRandom(RandomSource* source) {
    installed = source;
}
