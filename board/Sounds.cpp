// SPDX-License-Identifier: MIT
#include "board/Sounds.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QSettings>

#include "framework/Files.h"
#include "framework/SoundPlayer.h"

namespace {
// In the order of Sound.
const char* const Files[] = {"land", "mix", "white", "gray", "penalty", "gameover"};
const QString MutedKey = QStringLiteral("sound/muted");

// Empty without a home folder: then nothing is kept.
QString settingsFile() {
    return PreferencesFolder().Child(QStringLiteral("Huemix.conf")).path();
}

QStringList soundUrls() {
    QStringList urls;
    for (const char* name : Files) {
        urls << QStringLiteral("qrc:/sounds/%1.wav").arg(QLatin1String(name));
    }
    return urls;
}

// The backend module, where the build and the installation both put it beside the binary.
QString backendModule() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral(HUEMIX_SOUND_MODULE));
}

// Not owned by a static: when the display goes, Qt calls exit(), and static
// destructors then run after the application object is gone.
QPointer<SoundPlayer>& made() {
    static QPointer<SoundPlayer> instance;
    return instance;
}

SoundPlayer& player() {
    QPointer<SoundPlayer>& instance = made();
    if (!instance) {
        instance = new SoundPlayer(backendModule(), soundUrls(), QCoreApplication::instance());
        instance->setMuted(Sounds::remembered());
    }
    return *instance;
}
}  // namespace

Sounds& sounds() {
    static Sounds shared;
    return shared;
}

void Sounds::play(Sound sound) {
    player().play(static_cast<int>(sound));
}

bool Sounds::muted() const {
    return player().muted();
}

void Sounds::setMuted(bool muted) {
    player().setMuted(muted);
    const QString file = settingsFile();
    if (file.isEmpty()) {
        return;
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(MutedKey, muted);
}

bool Sounds::remembered() {
    const QString file = settingsFile();
    return !file.isEmpty() && QSettings(file, QSettings::IniFormat).value(MutedKey).toBool();
}

void Sounds::start() {
    player().start();
}

bool Sounds::stop() {
    return !made() || made()->stop();
}
