// SPDX-License-Identifier: MIT
#include "framework/SoundPlayer.h"

#include <QLibrary>
#include <QThread>
#include <atomic>
#include <cstdlib>

#include "framework/Services.h"

struct SoundPlayer::Backend {
    std::atomic<QObject*> player = nullptr;  // set once, in the sound thread, when ready
};

namespace {
using Create = QObject* (*)(const QStringList&);

// The sound thread while it runs. Losing the display makes Qt call exit(): the
// thread is then stopped before the multimedia libraries' statics go, leaving
// its sounds undeleted, as some of those statics may be gone already.
std::atomic<QThread*> running = nullptr;
void stopAtExit() {
    if (QThread* thread = running.exchange(nullptr)) {
        QObject::disconnect(thread, &QThread::finished, nullptr, nullptr);
        thread->quit();
        thread->wait(500);
    }
}

// In the sound thread: the backend's player, parented to `owner` there, or nothing.
void loadBackend(const QString& module, const QStringList& files, QObject* owner,
                 SoundPlayer::Backend& backend) {
    QLibrary library(module);
    const auto create = reinterpret_cast<Create>(library.resolve("createSoundBackend"));
    if (!create) {
        return;  // not built or not installed: the game is silent
    }
    QObject* player = create(files);
    // After the backend made its statics, so that this runs before they go.
    [[maybe_unused]] static const int registered = std::atexit(stopAtExit);
    if (player) {
        player->setParent(owner);
        backend.player = player;
    }
}
}  // namespace

SoundPlayer::SoundPlayer(QString module, QStringList files, QObject* parent)
    : QObject(parent),
      module_(std::move(module)),
      files_(std::move(files)),
      backend_(std::make_shared<Backend>()) {}

SoundPlayer::~SoundPlayer() {
    stop();
}

bool SoundPlayer::stop() {
    if (!thread_) {
        return true;
    }
    running = nullptr;
    thread_->quit();
    // A thread still waiting on a silent audio server is left to the end of the
    // process: deleting a running thread would abort it.
    if (!thread_->wait(500)) {
        return false;
    }
    delete thread_;
    thread_ = nullptr;
    return true;
}

void SoundPlayer::start() {
    if (thread_) {
        return;
    }
    thread_ = new QThread;  // not a child: it may have to outlive this player
    thread_->setObjectName(QStringLiteral("sound"));
    auto* owner = new QObject;
    owner->moveToThread(thread_);
    connect(thread_, &QThread::finished, owner, &QObject::deleteLater);
    // Copies only: the thread may still run after this player is gone.
    QMetaObject::invokeMethod(
        owner,
        [module = module_, files = files_, owner, backend = backend_] {
            loadBackend(module, files, owner, *backend);
        },
        Qt::QueuedConnection);
    running = thread_;
    thread_->start(QThread::LowPriority);
}

void SoundPlayer::play(int index) {
    if (services().soundHeard) {
        services().soundHeard(index, muted_);
    }
    QObject* player = backend_->player;
    if (muted_ || !player) {
        return;
    }
    QMetaObject::invokeMethod(player, "play", Qt::QueuedConnection, Q_ARG(int, index));
}
