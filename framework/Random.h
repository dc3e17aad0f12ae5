// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

// Where the game's chance comes from. Tests put a seeded source in place so a
// game can be replayed exactly.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A uniformly drawn integer in 0 .. n - 1; n must be at least 1.
    virtual int below(int n) = 0;
};

// The standard Mersenne twister behind a fixed seed.
class SeededRandom : public RandomSource {
  public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    int below(int n) override;

  private:
    std::mt19937 engine_;
};

// The source in use: a randomly seeded SeededRandom unless one was installed.
RandomSource& randomSource();
// Installs a source (not owned); nullptr puts the default back.
void setRandom(RandomSource* source);

// Puts the list into a random order in place (Fisher-Yates); every order is equally likely.
template <class T>
void shuffle(std::vector<T>& list) {
    for (int i = static_cast<int>(list.size()) - 1; i > 0; --i) {
        std::swap(list[i], list[randomSource().below(i + 1)]);
    }
}
