// SPDX-License-Identifier: MIT
// The sound backend, a module of its own that SoundPlayer loads in its thread,
// so that only a game that plays sound loads the multimedia libraries.
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <vector>

namespace {
class EffectPlayer : public QObject {
    Q_OBJECT
  public:
    explicit EffectPlayer(const QStringList& files) {
        for (const QString& file : files) {
            auto* effect = new QSoundEffect(this);
            effect->setSource(QUrl(file));
            effects_.push_back(effect);
        }
    }

    // With no audio device, or a broken one, the effect's status is Error and
    // play does nothing.
    Q_INVOKABLE void play(int index) {
        if (index >= 0 && index < static_cast<int>(effects_.size())) {
            effects_[std::size_t(index)]->play();
        }
    }

  private:
    std::vector<QSoundEffect*> effects_;
};
}  // namespace

namespace {
QtMessageHandler otherMessages = nullptr;

// No audio server is the plain case of a machine without sound: Qt's lines
// about it are not worth the player's attention.
void quietAboutTheServer(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (otherMessages && !text.startsWith(QLatin1String("PulseAudioService:"))) {
        otherMessages(type, context, text);
    }
}
}  // namespace

// Nothing with no audio device: every play would only warn that there is none.
extern "C" Q_DECL_EXPORT QObject* createSoundBackend(const QStringList& files) {
    otherMessages = qInstallMessageHandler(quietAboutTheServer);
    if (QMediaDevices::audioOutputs().isEmpty()) {
        return nullptr;
    }
    return new EffectPlayer(files);
}

#include "SoundBackend.moc"
