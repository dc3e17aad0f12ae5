// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class QThread;

// Plays short sound files, by their index in the list given, through a backend
// module loaded in a thread of its own: the multimedia libraries cost the start
// nothing, and an audio server that is missing, or that never answers, keeps
// only that thread waiting. Until the backend is ready, and when it fails, every
// play is silent: no message, no delay.
class SoundPlayer : public QObject {
    Q_OBJECT
  public:
    // `module`: the backend's file, which makes its player with
    // `QObject* createSoundBackend(const QStringList& files)`, whose
    // invokable play(int) plays one; `files`: the sounds, as "qrc:" or file URLs.
    SoundPlayer(QString module, QStringList files, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Loads the backend, once; call it when the first window is on screen.
    void start();
    // Ends the sound thread; false if it is stuck waiting on an audio server
    // (it then stays, and would hold the process's exit handlers).
    bool stop();
    void play(int index);
    bool muted() const { return muted_; }
    void setMuted(bool muted) { muted_ = muted; }

    struct Backend;  // what the sound thread made, shared with it

  private:
    const QString module_;
    const QStringList files_;
    bool muted_ = false;
    QThread* thread_ = nullptr;
    std::shared_ptr<Backend> backend_;
};
