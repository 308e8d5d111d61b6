#include "support/MainWindowHarness.h"

#include "controls/mediaplayer/MediaPlayer.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>
#include <gtest/gtest.h>

MainWindowHarness::MainWindowHarness(bool load)
{
    m_programFolder = m_temp.path() + QStringLiteral("/program");
    QDir().mkpath(m_programFolder);

    Platform platform;
    platform.dialogs = &dialogs;
    platform.messages = &messages;
    platform.mediaEngines = [this]() -> std::unique_ptr<MediaEngine> {
        auto engine = std::make_unique<FakeMediaEngine>();
        engines.push_back(engine.get());
        return engine;
    };
    platform.cdDrives = [this](const QString& device) -> std::unique_ptr<CdDrive> {
        cdDevicesOpened << device;
        return std::move(nextCdDrive);
    };
    platform.tagReader = tagReader;
    platform.clock = [this] { return now; };
    platform.programFolder = [this] { return m_programFolder; };
    platform.webViews = [this](QWidget* parent) { return webViews(parent); };
    m_form = std::make_unique<frmMain>(platform);
    if (load)
        m_form->Form_Load();
}

MainWindowHarness::~MainWindowHarness()
{
    m_form.reset();
    // The fake drive opener runs on the background pool and reads this
    // harness: it must be done before the harness goes.
    QThreadPool::globalInstance()->waitForDone();
}

QString MainWindowHarness::inProgramFolder(const QString& name) const
{
    return m_programFolder + QLatin1Char('/') + name;
}

QString MainWindowHarness::writeFile(const QString& relativePath, const QByteArray& bytes) const
{
    const QString path = relativePath.startsWith(QLatin1Char('/')) ? relativePath : inProgramFolder(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeBytes(path, bytes))
        ADD_FAILURE() << "could not write " << path.toStdString();
    return path;
}

FakeMediaEngine* MainWindowHarness::playerEngine() const
{
    return static_cast<FakeMediaEngine*>(m_form->MediaPlayer1->engine());
}
