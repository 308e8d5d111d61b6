// STUB: replaced by the real player control.
#include "controls/MediaPlayer.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

class MediaPlayerBar : public QWidget {};

MediaPlayer::MediaPlayer(MediaEngineFactory engineFactory, QWidget* parent)
    : QWidget(parent), m_engineFactory(std::move(engineFactory)) {}
MediaPlayer::~MediaPlayer() = default;
void MediaPlayer::setFileName(const QString& name)
{
    m_fileName = name;
    ensureEngine();
    if (m_engine)
        m_engine->open(QFileInfo(name).absoluteFilePath());
}
void MediaPlayer::Stop() { if (m_engine) m_engine->stop(); }
void MediaPlayer::setDesignGeometry(const QRect& rect) { m_design = rect; setGeometry(rect); }
QString MediaPlayer::message() const { return {}; }
void MediaPlayer::ensureEngine() { if (!m_engine && m_engineFactory) m_engine = m_engineFactory(); }
void MediaPlayer::applyLayout() {}
