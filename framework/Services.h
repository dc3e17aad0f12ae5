// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>
#include <type_traits>
#include <utility>

class KeyState;
class RandomSource;

enum class SaveChoice { Save, DontSave, Cancel };

// What the framework takes from the world, each replaceable (by tests, mostly); left empty, the
// real one serves: the system's chance, the keyboard, dialogs, the event loop and the clock.
struct Services {
    RandomSource* random = nullptr;  // not owned; nullptr: randomly seeded
    KeyState* keys = nullptr;        // not owned; nullptr: the application's key events
    std::function<void()> quit;
    std::function<bool(const QString& url)> openUrl;
    std::function<void(const QString& message)> message;
    std::function<bool(const QString& question)> question;
    std::function<SaveChoice(const QString& question)> saveQuestion;
    std::function<void(const QString& label, qint64 done, qint64 total)> progress;
    std::function<void(int index, bool muted)> soundHeard;  // every sound asked for, muted or not
    bool clockRunning = true;       // false: timers tick only when their handlers are called
    std::function<qint64()> clock;  // milliseconds on a steady clock; empty: the system's
    // Another program is active, so every window's timers hold. Kept with the services so that
    // whoever replaces them also starts from, and puts back, a known state.
    bool away = false;
};

// The services in use.
Services& services();

// Replaces one service until it ends, then puts back what was there.
template <class T>
class Override {
  public:
    Override(T& service, std::type_identity_t<T> replacement)
        : service_(service), saved_(std::exchange(service, std::move(replacement))) {}
    ~Override() { service_ = std::move(saved_); }
    Override(const Override&) = delete;
    Override& operator=(const Override&) = delete;

  private:
    T& service_;
    T saved_;
};

// Puts back, when it ends, every service as it was when it began.
class ScopedServices {
  public:
    ScopedServices() : saved_(services()) {}
    ~ScopedServices() { services() = saved_; }
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

  private:
    Services saved_;
};
