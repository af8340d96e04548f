// The sound output module: plays WAVE files and resources with QSoundEffect.

#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

#include "platform/SoundOutput.h"

namespace {

// Playing time of a WAVE file in milliseconds, from its header; 0 when the
// file is not a PCM WAVE file that can be read.
int waveDurationMs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(4096);
    if (head.size() < 44 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return 0;
    quint32 byteRate = 0;
    qsizetype pos = 12;
    while (pos + 8 <= head.size()) {
        const QByteArray id = head.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + pos + 4);
        if (id == "fmt " && pos + 20 <= head.size())
            byteRate = qFromLittleEndian<quint32>(head.constData() + pos + 16);
        if (id == "data") {
            if (byteRate == 0)
                return 0;
            const quint64 dataSize = qMin<quint64>(size, quint64(file.size()));
            return int(dataSize * 1000 / byteRate);
        }
        pos += 8 + qsizetype(size) + (size & 1);
    }
    return 0;
}

} // namespace

class QtSoundOutput : public QObject, public SoundOutput
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VSM_SOUND_OUTPUT_IID)
    Q_INTERFACES(SoundOutput)

public:
    void stop() override
    {
        if (m_effect) {
            m_effect->stop();
            m_effect->deleteLater();
            m_effect = nullptr;
        }
    }

    void play(const QString& path, SoundPlayer::Mode mode) override
    {
        stop();
        if (QMediaDevices::audioOutputs().isEmpty())
            return; // no sound device: skipped silently

        auto* effect = new QSoundEffect(QCoreApplication::instance());
        m_effect = effect;
        effect->setSource(path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                                            : QUrl::fromLocalFile(path));
        effect->setLoopCount(mode == SoundPlayer::Mode::Loop ? QSoundEffect::Infinite : 1);
        if (mode != SoundPlayer::Mode::Sync) {
            effect->play();
            return;
        }

        // Wait for the end of the sound without taking user input. The sound
        // service reports the end late (after its buffers drain) or, at
        // times, not at all, so the wait ends with the sound's own length;
        // the last buffered part plays out on its own and the next request
        // cuts it off.
        const int duration = waveDurationMs(path);
        if (duration <= 0) {
            stop();
            return;
        }
        QEventLoop loop;
        QObject::connect(effect, &QSoundEffect::statusChanged, &loop, [&] {
            if (effect->status() == QSoundEffect::Error)
                loop.quit();
        });
        QObject::connect(effect, &QObject::destroyed, &loop, &QEventLoop::quit);
        QTimer::singleShot(duration + SyncMarginMs, &loop, &QEventLoop::quit);
        effect->play();
        if (effect->status() != QSoundEffect::Error)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

private:
    // A little more than the sound itself, for the start-up of the output.
    static constexpr int SyncMarginMs = 150;

    QPointer<QSoundEffect> m_effect;
};

#include "QtSoundOutput.moc"
