// SPDX-License-Identifier: MIT
// The colour rules alone, with no application object.
#include <gtest/gtest.h>

#include "board/Rules.h"

namespace {

using enum Colour;
const std::string Names[] = {"empty",   "white", "gray",   "blue", "green",
                             "magenta", "cyan",  "yellow", "red"};

// What a falling colour makes on each resting colour; on itself it vanishes.
struct Mixes {
    Colour falling = Empty;
    Colour blue = Empty, green = Empty, magenta = Empty, cyan = Empty, yellow = Empty, red = Empty;
};
// clang-format off
const Mixes mixTable[] = {
    {.falling = Blue,    .blue = Blue,    .green = Cyan,   .magenta = Gray,    .cyan = Gray,  .yellow = White,  .red = Magenta},
    {.falling = Green,   .blue = Cyan,    .green = Green,  .magenta = White,   .cyan = Gray,  .yellow = Gray,   .red = Yellow},
    {.falling = Magenta, .blue = Gray,    .green = White,  .magenta = Magenta, .cyan = Gray,  .yellow = Gray,   .red = Gray},
    {.falling = Cyan,    .blue = Gray,    .green = Gray,   .magenta = Gray,    .cyan = Cyan,  .yellow = Gray,   .red = White},
    {.falling = Yellow,  .blue = White,   .green = Gray,   .magenta = Gray,    .cyan = Gray,  .yellow = Yellow, .red = Gray},
    {.falling = Red,     .blue = Magenta, .green = Yellow, .magenta = Gray,    .cyan = White, .yellow = Gray,   .red = Red},
};
// clang-format on

TEST(Rules, everyFallingColourOnEveryCellLandsByTheTable) {
    for (const Mixes& row : mixTable) {
        const std::pair<Colour, Colour> cells[] = {{Blue, row.blue},       {Green, row.green},
                                                   {Magenta, row.magenta}, {Cyan, row.cyan},
                                                   {Yellow, row.yellow},   {Red, row.red}};
        const auto land = [&](Colour resting, Reach reach, bool topRow = false) {
            return landingOf(
                {.falling = row.falling, .resting = resting, .reach = reach, .topRow = topRow});
        };
        for (const auto& [resting, made] : cells) {
            SCOPED_TRACE(Names[int(row.falling)] + " onto " + Names[int(resting)]);
            const bool same = resting == row.falling;
            const Landing mixed = same            ? Landing::Vanish
                                  : made == White ? Landing::White
                                  : made == Gray  ? Landing::RaiseLine
                                                  : Landing::Mix;
            EXPECT_EQ(land(resting, Reach::Touching), mixed);
            EXPECT_EQ(land(resting, Reach::Touching, true),
                      made == Gray && !same ? Landing::End : mixed);
            EXPECT_EQ(land(resting, Reach::OnLine), same ? Landing::Vanish : Landing::Wait);
            EXPECT_EQ(land(resting, Reach::Halted), same ? Landing::Vanish : Landing::Rest);
            EXPECT_EQ(land(resting, Reach::Above), Landing::KeepFalling);
            if (!same) {
                EXPECT_EQ(mixOf(row.falling, resting), made);
                EXPECT_EQ(mixOf(resting, row.falling), made) << "the order of the pair changed it";
            }
        }
        // White, gray and an empty cell meet nothing: the tile rests, in the top row too.
        for (const Colour resting : {White, Gray, Empty}) {
            SCOPED_TRACE(Names[int(row.falling)] + " onto " + Names[int(resting)]);
            for (const Reach reach : {Reach::OnLine, Reach::Halted, Reach::Touching}) {
                EXPECT_EQ(land(resting, reach, true), Landing::Rest);
            }
        }
    }
}

struct Release {
    int selector = 0;
    Colour colour = Empty;
    int group = 0;
    std::array<Hint, 3> hints{};
};
// clang-format off
const Release releases[] = {
    {.selector = 1, .colour = Blue,    .group = 2, .hints = {{{"Green", 0x00BB00}, {"Red", 0xBB0000}, {"Yellow", 0xBBBB00}}}},
    {.selector = 2, .colour = Green,   .group = 3, .hints = {{{"Blue", 0x0000BB}, {"Red", 0xBB0000}, {"Magenta", 0xBB00BB}}}},
    {.selector = 3, .colour = Magenta, .group = 4, .hints = {{{}, {"Green", 0x00BB00}, {}}}},
    {.selector = 4, .colour = Cyan,    .group = 5, .hints = {{{}, {"Red", 0xBB0000}, {}}}},
    {.selector = 5, .colour = Yellow,  .group = 6, .hints = {{{}, {"Blue", 0x0000BB}, {}}}},
    {.selector = 6, .colour = Red,     .group = 7, .hints = {{{"Green", 0x00BB00}, {"Blue", 0x0000BB}, {"Cyan", 0x00BBBB}}}},
};
// clang-format on

TEST(Rules, eachSelectorReleasesItsColourWithItsCodeAndHints) {
    for (const Release& row : releases) {
        SCOPED_TRACE("selector " + std::to_string(row.selector));
        EXPECT_EQ(releasedColour(row.selector), row.colour);
        EXPECT_EQ(groupOf(row.colour), row.group);
        const std::array<Hint, 3> hints = hintsFor(row.selector);
        for (std::size_t line = 0; line < hints.size(); ++line) {
            EXPECT_TRUE(hints[line].text == row.hints[line].text &&
                        hints[line].rgb == row.hints[line].rgb)
                << "line " << line;
        }
    }
    EXPECT_TRUE(groupOf(White) == 0 && groupOf(Gray) == 0 && groupOf(Empty) == 0);
}

TEST(Rules, theScoreColourChangesJustAboveEachBandsEdge) {
    const std::pair<int, Rgb> bands[] = {
        {0, 0x000000},  {10, 0x000000},  {11, 0xBB0000},  {25, 0xBB0000},  {26, 0xBBBB00},
        {45, 0xBBBB00}, {46, 0x00BB00},  {65, 0x00BB00},  {66, 0x00BBBB},  {75, 0x00BBBB},
        {76, 0x0000BB}, {100, 0x0000BB}, {101, 0xBB00BB}, {5000, 0xBB00BB}};
    for (const auto& [score, rgb] : bands) {
        EXPECT_EQ(scoreColor(score), rgb) << "score " << score;
    }
}

}  // namespace
