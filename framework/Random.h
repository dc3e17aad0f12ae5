// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "framework/Services.h"

// Where the game's chance comes from; tests install a seeded one to replay a game.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual int below(int n) = 0;  // uniform in 0 .. n - 1, n >= 1
};

class SeededRandom : public RandomSource {
  public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    int below(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

  private:
    std::mt19937 engine_;
};

// Fisher-Yates, drawing from the source in use: every order equally likely.
inline void shuffle(std::vector<int>& list) {
    static SeededRandom randomlySeeded(std::random_device{}());
    RandomSource& source = services().random ? *services().random : randomlySeeded;
    for (int i = static_cast<int>(list.size()) - 1; i > 0; --i) {
        std::swap(list[i], list[source.below(i + 1)]);
    }
}
