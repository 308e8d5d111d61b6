#include "controls/MMControl.h"

#include "controls/StyleIcon.h"

#include "controls/CdAudioStream.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyle>
#include <QToolButton>

#include <thread>

namespace {

const char* const kTipProperty = "sorvanTip";

// The eject sign: a triangle over a bar, in the button text colour.
QIcon ejectIcon(const QColor& colour)
{
    QPixmap pixmap(32, 32);
    pixmap.setDevicePixelRatio(2.0);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    QPainterPath triangle;
    triangle.moveTo(8, 2.5);
    triangle.lineTo(14, 9.5);
    triangle.lineTo(2, 9.5);
    triangle.closeSubpath();
    painter.drawPath(triangle);
    painter.drawRect(QRectF(2, 11.5, 12, 2));
    return QIcon(pixmap);
}

// Runs work on a thread of its own and hands its result to done on the GUI
// thread, unless the control is gone by then.
template <typename Work, typename Done>
void runAway(MMControl* control, Work work, Done done)
{
    QPointer<MMControl> self(control);
    std::thread([self, work = std::move(work), done = std::move(done)]() mutable {
        auto result = work();
        QMetaObject::invokeMethod(
            qApp,
            [self, done = std::move(done), result = std::move(result)]() mutable {
                if (self)
                    done(self.data(), std::move(result));
            },
            Qt::QueuedConnection);
    }).detach();
}

} // namespace

MMControl::MMControl(CdDriveOpener opener, MediaEngineFactory engineFactory, QWidget* parent)
    : QWidget(parent), m_opener(std::move(opener)), m_engineFactory(std::move(engineFactory))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_previous = addButton(QIcon(), QStringLiteral("前の曲"), "previousButton");
    m_play = addButton(QIcon(), QStringLiteral("再生"), "playButton");
    m_pause = addButton(QIcon(), QStringLiteral("一時停止"), "pauseButton");
    m_stop = addButton(QIcon(), QStringLiteral("停止"), "stopButton");
    m_next = addButton(QIcon(), QStringLiteral("次の曲"), "nextButton");
    m_eject = addButton(ejectIcon(palette().color(QPalette::ButtonText)), QStringLiteral("取り出し"), "ejectButton");
    setStandardIconWhenShown(m_previous, QStyle::SP_MediaSkipBackward);
    setStandardIconWhenShown(m_play, QStyle::SP_MediaPlay);
    setStandardIconWhenShown(m_pause, QStyle::SP_MediaPause);
    setStandardIconWhenShown(m_stop, QStyle::SP_MediaStop);
    setStandardIconWhenShown(m_next, QStyle::SP_MediaSkipForward);
    m_pause->setCheckable(true);

    connect(m_previous, &QToolButton::clicked, this, &MMControl::previousTrack);
    connect(m_play, &QToolButton::clicked, this, &MMControl::play);
    connect(m_pause, &QToolButton::clicked, this, &MMControl::pause);
    connect(m_stop, &QToolButton::clicked, this, &MMControl::stop);
    connect(m_next, &QToolButton::clicked, this, &MMControl::nextTrack);
    connect(m_eject, &QToolButton::clicked, this, &MMControl::eject);
    updateButtons();
}

MMControl::~MMControl() = default;

QToolButton* MMControl::addButton(const QIcon& icon, const QString& tip, const char* name)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(16, 16);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    button->setProperty(kTipProperty, tip);
    layout()->addWidget(button);
    return button;
}

void MMControl::setCommand(const QString& command)
{
    m_command = command;
    if (command.compare(QLatin1String("Open"), Qt::CaseInsensitive) == 0)
        open();
    else if (command.compare(QLatin1String("Close"), Qt::CaseInsensitive) == 0)
        close();
}

void MMControl::open()
{
    close();
    if (m_deviceType.compare(QLatin1String("CDAudio"), Qt::CaseInsensitive) != 0 || !m_opener)
        return;
    const quint64 generation = m_generation;
    setStatus(Status::Opening);
    runAway(
        this,
        [opener = m_opener, device = m_devicePath] { return std::shared_ptr<CdDrive>(opener(device)); },
        [generation](MMControl* self, std::shared_ptr<CdDrive> drive) { self->openFinished(generation, std::move(drive)); });
}

void MMControl::openFinished(quint64 generation, std::shared_ptr<CdDrive> drive)
{
    if (generation != m_generation)
        return;
    m_tracks = drive ? drive->tracks() : QList<CdDrive::Track>();
    if (m_tracks.isEmpty()) {
        setStatus(Status::NoDisc);
        return;
    }
    m_drive = std::move(drive);
    m_index = 0;
    setStatus(Status::Stopped);
}

void MMControl::close()
{
    ++m_generation;
    // The engine stops and lets go of the stream on its own threads; the
    // stream keeps the drive until its last read is done.
    m_engine.reset();
    m_drive.reset();
    m_tracks.clear();
    m_index = 0;
    m_ejecting = false;
    setStatus(Status::Closed);
}

void MMControl::previousTrack()
{
    if (!isOpen() || m_index == 0)
        return;
    --m_index;
    if (m_status == Status::Playing || m_status == Status::Paused)
        startTrack();
    else
        updateButtons();
}

void MMControl::nextTrack()
{
    if (!isOpen() || m_index + 1 >= m_tracks.size())
        return;
    ++m_index;
    if (m_status == Status::Playing || m_status == Status::Paused)
        startTrack();
    else
        updateButtons();
}

void MMControl::play()
{
    if (!isOpen())
        return;
    if (m_status == Status::Paused && m_engine) {
        m_engine->play();
        setStatus(Status::Playing);
        return;
    }
    if (m_status != Status::Playing)
        startTrack();
}

void MMControl::pause()
{
    if (!m_engine || !isOpen())
        return;
    if (m_status == Status::Playing) {
        m_engine->pause();
        setStatus(Status::Paused);
    } else if (m_status == Status::Paused) {
        m_engine->play();
        setStatus(Status::Playing);
    } else {
        updateButtons();
    }
}

void MMControl::stop()
{
    if (m_engine && (m_status == Status::Playing || m_status == Status::Paused)) {
        m_engine->stop();
        setStatus(Status::Stopped);
    }
}

void MMControl::startTrack()
{
    if (!m_engine && m_engineFactory) {
        m_engine = m_engineFactory();
        if (m_engine)
            connect(m_engine.get(), &MediaEngine::stateChanged, this, &MMControl::engineStateChanged);
    }
    if (!m_engine)
        return;
    m_engine->openStream(std::make_shared<CdAudioStream>(m_drive, m_tracks.at(m_index)));
    if (m_status == Status::Playing)
        updateButtons();
    else
        setStatus(Status::Playing);
}

void MMControl::engineStateChanged(MediaEngine::State state)
{
    const bool finished = state == MediaEngine::State::Ended || state == MediaEngine::State::Error
        || state == MediaEngine::State::Stopped;
    if (finished && (m_status == Status::Playing || m_status == Status::Paused))
        setStatus(Status::Stopped);
}

void MMControl::eject()
{
    if (!isOpen() || m_ejecting)
        return;
    m_ejecting = true;
    updateButtons();
    const quint64 generation = m_generation;
    runAway(
        this, [drive = m_drive] { return drive->eject(); },
        [generation](MMControl* self, bool ejected) { self->ejectDone(generation, ejected); });
}

void MMControl::ejectDone(quint64 generation, bool ejected)
{
    if (generation == m_generation) {
        m_ejecting = false;
        if (ejected) {
            if (m_engine && (m_status == Status::Playing || m_status == Status::Paused))
                m_engine->stop();
            m_drive.reset();
            m_tracks.clear();
            m_index = 0;
            setStatus(Status::NoDisc);
        } else {
            updateButtons();
        }
    }
    emit ejectFinished(ejected);
}

void MMControl::setStatus(Status status)
{
    const bool changed = status != m_status;
    m_status = status;
    updateButtons();
    if (changed)
        emit statusChanged(status);
}

void MMControl::updateButtons()
{
    const bool open = isOpen();
    const bool running = m_status == Status::Playing || m_status == Status::Paused;
    m_previous->setEnabled(open && m_index > 0);
    m_play->setEnabled(open && m_status != Status::Playing);
    m_pause->setEnabled(open && running);
    m_pause->setChecked(m_status == Status::Paused);
    m_stop->setEnabled(open && running);
    m_next->setEnabled(open && m_index + 1 < m_tracks.size());
    m_eject->setEnabled(open && !m_ejecting);

    QString tip;
    if (open)
        tip = QStringLiteral("トラック %1 / %2").arg(m_index + 1).arg(m_tracks.size());
    else if (m_status == Status::Opening)
        tip = QStringLiteral("CD を読み込んでいます");
    else
        tip = QStringLiteral("CD がありません");
    setToolTip(tip);
    // The buttons cover the whole control, so each carries the disc line too.
    for (QToolButton* button : {m_previous, m_play, m_pause, m_stop, m_next, m_eject})
        button->setToolTip(button->property(kTipProperty).toString() + QLatin1Char('\n') + tip);
}
