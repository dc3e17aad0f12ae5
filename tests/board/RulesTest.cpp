// SPDX-License-Identifier: MIT
// The colour rules alone, with no application object.
#include <gtest/gtest.h>

#include "board/Rules.h"

// A failed check names the colours and outcomes it compared.
const std::string Names[] = {"empty",   "white", "gray",   "blue", "green",
                             "magenta", "cyan",  "yellow", "red"};
void PrintTo(Colour colour, std::ostream* out) {
    *out << Names[int(colour)];
}
void PrintTo(Landing landing, std::ostream* out) {
    const char* const outcomes[] = {"keeps falling", "waits", "vanishes",        "rests",
                                    "mixes",         "white", "raises the line", "ends the game"};
    *out << outcomes[int(landing)];
}

namespace {

using enum Colour;

// What a falling colour (first) makes on each resting colour, in the order
// of `restingColours`; on itself it vanishes.
const Colour restingColours[] = {Blue, Green, Magenta, Cyan, Yellow, Red};
struct Mixes {
    Colour falling;
    std::array<Colour, 6> made;
};
const Mixes mixTable[] = {
    {Blue, {Blue, Cyan, Gray, Gray, White, Magenta}},
    {Green, {Cyan, Green, White, Gray, Gray, Yellow}},
    {Magenta, {Gray, White, Magenta, Gray, Gray, Gray}},
    {Cyan, {Gray, Gray, Gray, Cyan, Gray, White}},
    {Yellow, {White, Gray, Gray, Gray, Yellow, Gray}},
    {Red, {Magenta, Yellow, Gray, White, Gray, Red}},
};

TEST(Rules, everyFallingColourOnEveryCellLandsByTheTable) {
    for (const Mixes& row : mixTable) {
        const auto land = [&](Colour resting, Reach reach, bool topRow = false) {
            return landingOf(
                {.falling = row.falling, .resting = resting, .reach = reach, .topRow = topRow});
        };
        for (std::size_t column = 0; column < row.made.size(); ++column) {
            const Colour resting = restingColours[column];
            const Colour made = row.made[column];
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
    int selector;
    Colour colour;
    int group;
    std::array<Hint, 3> hints;
};
const Hint none{};
const Hint green{"Green", 0x00BB00};
const Hint red{"Red", 0xBB0000};
const Hint blue{"Blue", 0x0000BB};
const Release releases[] = {
    {1, Blue, 2, {green, red, {"Yellow", 0xBBBB00}}},
    {2, Green, 3, {blue, red, {"Magenta", 0xBB00BB}}},
    {3, Magenta, 4, {none, green, none}},
    {4, Cyan, 5, {none, red, none}},
    {5, Yellow, 6, {none, blue, none}},
    {6, Red, 7, {green, blue, {"Cyan", 0x00BBBB}}},
};

TEST(Rules, eachSelectorReleasesItsColourWithItsCodeAndHints) {
    for (const Release& row : releases) {
        SCOPED_TRACE("selector " + std::to_string(row.selector));
        EXPECT_EQ(releasedColour(row.selector), row.colour);
        EXPECT_EQ(groupOf(row.colour), row.group);
        const std::array<Hint, 3> hints = hintsFor(row.selector);
        for (std::size_t line = 0; line < hints.size(); ++line) {
            EXPECT_EQ(hints[line].text.toStdString(), row.hints[line].text.toStdString())
                << "line " << line;
            EXPECT_EQ(hints[line].rgb, row.hints[line].rgb) << "line " << line;
        }
    }
    for (const Colour inert : {White, Gray, Empty}) {
        EXPECT_EQ(groupOf(inert), 0) << Names[int(inert)] << " must collide with nothing";
    }
}

TEST(Rules, theScoreColourChangesJustAboveEachBandsEdge) {
    const std::pair<int, Rgb> bands[] = {{10, 0x000000}, {11, 0xBB0000},  {25, 0xBB0000},
                                         {26, 0xBBBB00}, {45, 0xBBBB00},  {46, 0x00BB00},
                                         {65, 0x00BB00}, {66, 0x00BBBB},  {75, 0x00BBBB},
                                         {76, 0x0000BB}, {100, 0x0000BB}, {101, 0xBB00BB}};
    for (const auto& [score, rgb] : bands) {
        EXPECT_EQ(scoreColor(score), rgb) << "score " << score;
    }
}

}  // namespace
