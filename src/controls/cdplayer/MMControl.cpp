#include "controls/cdplayer/MMControl.h"

#include "controls/forms/StyleIcon.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolButton>

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

} // namespace

MMControl::MMControl(CdDriveOpener opener, MediaEngineFactory engineFactory, QWidget* parent)
    : QWidget(parent), m_session(new CdSession(std::move(opener), std::move(engineFactory), this))
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
    connect(m_session, &CdSession::changed, this, &MMControl::updateButtons);
    connect(m_session, &CdSession::statusChanged, this, &MMControl::statusChanged);
    connect(m_session, &CdSession::ejectFinished, this, &MMControl::ejectFinished);
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
    if (command.compare(QLatin1String("Open"), Qt::CaseInsensitive) == 0) {
        if (m_deviceType.compare(QLatin1String("CDAudio"), Qt::CaseInsensitive) == 0)
            m_session->open(m_devicePath);
        else
            m_session->close();
    } else if (command.compare(QLatin1String("Close"), Qt::CaseInsensitive) == 0) {
        m_session->close();
    }
}

void MMControl::updateButtons()
{
    const bool open = isOpen();
    const Status status = m_session->status();
    const int index = m_session->index();
    const auto trackCount = m_session->tracks().size();
    const bool running = status == Status::Playing || status == Status::Paused;
    m_previous->setEnabled(open && index > 0);
    m_play->setEnabled(open && status != Status::Playing);
    m_pause->setEnabled(open && running);
    m_pause->setChecked(status == Status::Paused);
    m_stop->setEnabled(open && running);
    m_next->setEnabled(open && index + 1 < trackCount);
    m_eject->setEnabled(open && !m_session->isEjecting());

    QString tip;
    if (open)
        tip = QStringLiteral("トラック %1 / %2").arg(index + 1).arg(trackCount);
    else if (status == Status::Opening)
        tip = QStringLiteral("CD を読み込んでいます");
    else
        tip = QStringLiteral("CD がありません");
    setToolTip(tip);
    // The buttons cover the whole control, so each carries the disc line too.
    for (QToolButton* button : {m_previous, m_play, m_pause, m_stop, m_next, m_eject})
        button->setToolTip(button->property(kTipProperty).toString() + QLatin1Char('\n') + tip);
}
