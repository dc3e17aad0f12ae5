// SPDX-License-Identifier: MIT
#pragma once

// The game's sounds, one per event the player should hear.
enum class Sound { Land, Mix, White, Gray, Penalty, GameOver };

// The game's sound player and its mute switch, which is remembered between
// runs in Huemix.conf beside the score file (never in it); with no home folder
// the switch holds for this run only.
class Sounds {
  public:
    void play(Sound sound);
    bool muted() const;
    void setMuted(bool muted);
    // The switch as a run starting now finds it.
    static bool remembered();
    // Loads the audio backend; call once the first window is on screen.
    void start();
    // Ends the sound at shutdown; false if it is stuck on an audio server.
    bool stop();
};

Sounds& sounds();
