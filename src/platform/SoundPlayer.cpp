#include "platform/SoundPlayer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

namespace {

SoundPlayer* g_installed = nullptr;

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

class RealSoundPlayer : public SoundPlayer
{
public:
    void playResource(const QString& name, Mode mode) override
    {
        play(resourcePath(name), mode);
    }

    void playFile(const QString& path, Mode mode) override
    {
        play(QFileInfo(path).absoluteFilePath(), mode);
    }

    void stop() override
    {
        if (m_effect) {
            m_effect->stop();
            m_effect->deleteLater();
            m_effect = nullptr;
        }
    }

private:
    void play(const QString& path, Mode mode)
    {
        stop();
        if (!QCoreApplication::instance() || !QFileInfo::exists(path))
            return;
        if (QMediaDevices::audioOutputs().isEmpty())
            return; // no sound device: skipped silently

        auto* effect = new QSoundEffect(QCoreApplication::instance());
        m_effect = effect;
        effect->setSource(path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                                            : QUrl::fromLocalFile(path));
        effect->setLoopCount(mode == Mode::Loop ? QSoundEffect::Infinite : 1);
        if (mode != Mode::Sync) {
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

    // A little more than the sound itself, for the start-up of the output.
    static constexpr int SyncMarginMs = 150;

    QPointer<QSoundEffect> m_effect;
};

} // namespace

SoundPlayer& SoundPlayer::current()
{
    static RealSoundPlayer real;
    return g_installed ? *g_installed : static_cast<SoundPlayer&>(real);
}

void SoundPlayer::install(SoundPlayer* player)
{
    g_installed = player;
}

void SoundPlayer::playResource(const QString&, Mode) {}
void SoundPlayer::playFile(const QString&, Mode) {}
void SoundPlayer::stop() {}

QString SoundPlayer::resourcePath(const QString& name)
{
    return QStringLiteral(":/sounds/") + name.toUpper() + QStringLiteral(".wav");
}
