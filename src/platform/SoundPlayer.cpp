#include "platform/SoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include "platform/SoundOutput.h"

namespace {

SoundPlayer* g_installed = nullptr;

// Plays through the sound output module, loaded with the first sound.
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
        if (m_output)
            m_output->stop();
    }

    SoundOutput* output()
    {
        if (!m_tried && QCoreApplication::instance()) {
            m_tried = true;
            m_output = loadOutputModule();
        }
        return m_output;
    }

private:
    void play(const QString& path, Mode mode)
    {
        stop();
        if (!QFileInfo::exists(path))
            return;
        if (SoundOutput* out = output())
            out->play(path, mode);
    }

    // The module beside the program (a build folder), where the installation
    // puts it relative to the program, or in Qt's library paths.
    static SoundOutput* loadOutputModule()
    {
        const QString programDir = QCoreApplication::applicationDirPath();
        const QString name = SoundPlayer::outputModuleFileName();
        QStringList candidates = {
            QDir::cleanPath(programDir + QStringLiteral("/" VSM_MODULES_FROM_BIN "/") + name),
            programDir + QLatin1Char('/') + name,
        };
        for (const QString& dir : QCoreApplication::libraryPaths())
            candidates << dir + QLatin1Char('/') + name;
        for (const QString& candidate : candidates) {
            if (!QFileInfo::exists(candidate))
                continue;
            QPluginLoader loader(candidate);
            if (auto* out = qobject_cast<SoundOutput*>(loader.instance()))
                return out;
        }
        return nullptr;
    }

    bool m_tried = false;
    SoundOutput* m_output = nullptr;
};

RealSoundPlayer& realPlayer()
{
    static RealSoundPlayer real;
    return real;
}

} // namespace

SoundPlayer& SoundPlayer::current()
{
    return g_installed ? *g_installed : static_cast<SoundPlayer&>(realPlayer());
}

bool SoundPlayer::loadOutput()
{
    return realPlayer().output() != nullptr;
}

QString SoundPlayer::outputModuleFileName()
{
    return QStringLiteral(VSM_SOUND_MODULE_FILE);
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
