#include "framework/Random.h"

int SeededRandom::Below(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

namespace {
RandomSource* installed = nullptr;

RandomSource& defaultSource() {
    static SeededRandom source(std::random_device{}());
    return source;
}
}  // namespace

RandomSource& Random() {
    return installed ? *installed : defaultSource();
}

void SetRandom(RandomSource* source) {
    installed = source;
}
