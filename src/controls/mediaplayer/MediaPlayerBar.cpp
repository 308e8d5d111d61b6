#include "controls/mediaplayer/MediaPlayerBar.h"

#include "controls/forms/DesktopPalette.h"
#include "controls/forms/StyleIcon.h"
#include "controls/mediaplayer/MediaSession.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace {

QToolButton* makeButton(QWidget* parent, const QString& name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    setStandardIconWhenShown(button, icon);
    button->setToolTip(tip);
    // The buttons show a picture only: the tool tip is also their name.
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

int clampToInt(qint64 ms)
{
    return static_cast<int>(qBound(qint64(0), ms, qint64(std::numeric_limits<int>::max())));
}

} // namespace

MediaPlayerBar::MediaPlayerBar(MediaSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setPalette(desktopPalette());
    setAutoFillBackground(true);

    m_tracker = new QSlider(Qt::Horizontal, this);
    m_tracker->setObjectName(QStringLiteral("tracker"));
    m_tracker->setToolTip(QStringLiteral("再生位置"));
    m_tracker->setRange(0, 0);
    m_tracker->setPageStep(5000);
    m_tracker->setSingleStep(1000);

    m_toStart = makeButton(this, QStringLiteral("toStart"), QStyle::SP_MediaSkipBackward, QStringLiteral("先頭へ"));
    m_back = makeButton(this, QStringLiteral("back"), QStyle::SP_MediaSeekBackward, QStringLiteral("巻き戻し"));
    m_ahead = makeButton(this, QStringLiteral("ahead"), QStyle::SP_MediaSeekForward, QStringLiteral("早送り"));
    m_playPause = makeButton(this, QStringLiteral("playPause"), QStyle::SP_MediaPlay, QStringLiteral("再生"));
    m_stop = makeButton(this, QStringLiteral("stop"), QStyle::SP_MediaStop, QStringLiteral("停止"));
    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("time"));
    m_time->setTextFormat(Qt::PlainText);
    m_mute = makeButton(this, QStringLiteral("mute"), QStyle::SP_MediaVolume, QStringLiteral("消音"));
    m_mute->setCheckable(true);
    m_volume = new QSlider(Qt::Horizontal, this);
    m_volume->setObjectName(QStringLiteral("volume"));
    m_volume->setToolTip(QStringLiteral("音量"));
    m_volume->setAccessibleName(QStringLiteral("音量"));
    m_volume->setRange(0, 100);
    m_volume->setValue(100);
    m_volume->setPageStep(10);
    // Narrow enough that the times show whole in the control's design width
    // beside five buttons.
    m_volume->setFixedWidth(48);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(1);
    buttons->addWidget(m_toStart);
    buttons->addWidget(m_back);
    buttons->addWidget(m_ahead);
    buttons->addWidget(m_playPause);
    buttons->addWidget(m_stop);
    buttons->addSpacing(4);
    buttons->addWidget(m_time);
    buttons->addStretch(1);
    buttons->addWidget(m_mute);
    buttons->addWidget(m_volume);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(0);
    rows->addWidget(m_tracker);
    rows->addLayout(buttons);

    // What the user asks for goes to the session.
    connect(m_playPause, &QToolButton::clicked, &m_session, &MediaSession::togglePlay);
    connect(m_stop, &QToolButton::clicked, &m_session, &MediaSession::stop);
    connect(m_toStart, &QToolButton::clicked, this, &MediaPlayerBar::toStartRequested);
    connect(m_back, &QToolButton::clicked, this, &MediaPlayerBar::backRequested);
    connect(m_ahead, &QToolButton::clicked, this, &MediaPlayerBar::aheadRequested);

    // Dragging moves the time shown; the seek itself happens on release.
    connect(m_tracker, &QSlider::sliderMoved, this, [this](int value) { showTime(value); });
    connect(m_tracker, &QSlider::sliderReleased, this, [this] { m_session.seek(m_tracker->value()); });
    // A click on the groove or a key moves at once.
    connect(m_tracker, &QSlider::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderMove || action == QAbstractSlider::SliderNoAction)
            return;
        showTime(m_tracker->sliderPosition());
        m_session.seek(m_tracker->sliderPosition());
    });
    connect(m_volume, &QSlider::valueChanged, &m_session, &MediaSession::setVolume);
    connect(m_mute, &QToolButton::toggled, &m_session, &MediaSession::setMuted);

    // What the session holds is shown.
    connect(&m_session, &MediaSession::mediumChanged, this, &MediaPlayerBar::showAll);
    connect(&m_session, &MediaSession::stateChanged, this, &MediaPlayerBar::showPlayButton);
    connect(&m_session, &MediaSession::durationChanged, this, &MediaPlayerBar::showDuration);
    connect(&m_session, &MediaSession::positionChanged, this, &MediaPlayerBar::showPosition);
    connect(&m_session, &MediaSession::volumeChanged, this, &MediaPlayerBar::showVolume);
    connect(&m_session, &MediaSession::mutedChanged, this, &MediaPlayerBar::showMuted);
    showAll();
    showVolume(m_session.volume());
    showMuted(m_session.isMuted());
    setSeekable(false);
}

void MediaPlayerBar::showAll()
{
    showDuration(m_session.duration());
    showPosition(m_session.position());
    showPlayButton();
}

void MediaPlayerBar::showDuration(qint64 ms)
{
    m_tracker->setRange(0, clampToInt(ms));
    showTime(m_tracker->isSliderDown() ? m_tracker->sliderPosition() : m_session.position());
}

void MediaPlayerBar::showPosition(qint64 ms)
{
    if (m_tracker->isSliderDown())
        return;
    m_tracker->setValue(clampToInt(ms));
    showTime(ms);
}

void MediaPlayerBar::setSeekable(bool seekable)
{
    for (QToolButton* button : {m_toStart, m_back, m_ahead})
        button->setEnabled(seekable);
}

void MediaPlayerBar::setVolume(int percent)
{
    m_volume->setValue(percent);
}

void MediaPlayerBar::setMuted(bool muted)
{
    m_mute->setChecked(muted);
}

void MediaPlayerBar::showVolume(int percent)
{
    const QSignalBlocker quiet(m_volume);
    m_volume->setValue(percent);
}

void MediaPlayerBar::showMuted(bool muted)
{
    {
        const QSignalBlocker quiet(m_mute);
        m_mute->setChecked(muted);
    }
    setStandardIconWhenShown(m_mute, muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume);
}

bool MediaPlayerBar::isPlaying() const
{
    return m_session.isPlaying();
}

QString MediaPlayerBar::timeText() const
{
    return m_time->text();
}

QString MediaPlayerBar::formatTime(qint64 ms)
{
    const qint64 seconds = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void MediaPlayerBar::showTime(qint64 elapsed)
{
    m_time->setText(formatTime(elapsed) + QStringLiteral(" / ") + formatTime(m_session.duration()));
}

void MediaPlayerBar::showPlayButton()
{
    const bool playing = m_session.isPlaying();
    const QString tip = playing ? QStringLiteral("一時停止") : QStringLiteral("再生");
    setStandardIconWhenShown(m_playPause, playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay);
    m_playPause->setToolTip(tip);
    m_playPause->setAccessibleName(tip);
}
