#include "controls/mediaplayer/MediaPropertiesWindow.h"

#include "system/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>

namespace {

const QStringList kFixed = {
    QStringLiteral("ファイル名"), QStringLiteral("フォルダー"), QStringLiteral("サイズ"),
    QStringLiteral("長さ"),       QStringLiteral("映像の大きさ"), QStringLiteral("フレームレート"),
    QStringLiteral("タイトル"),   QStringLiteral("アーティスト"), QStringLiteral("アルバム"),
    QStringLiteral("著作権"),
};

QString lengthText(qint64 ms)
{
    if (ms <= 0)
        return QString();
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString kindText(MediaTrackInfo::Kind kind)
{
    switch (kind) {
    case MediaTrackInfo::Kind::Audio:
        return QStringLiteral("音声");
    case MediaTrackInfo::Kind::Video:
        return QStringLiteral("映像");
    case MediaTrackInfo::Kind::Text:
        return QStringLiteral("字幕");
    case MediaTrackInfo::Kind::Other:
        break;
    }
    return QStringLiteral("その他");
}

QString trackText(const MediaTrackInfo& track)
{
    QStringList parts{kindText(track.kind) + QStringLiteral(": ") + track.codec};
    if (track.channels > 0)
        parts << QStringLiteral("%1 チャンネル").arg(track.channels);
    if (track.sampleRate > 0)
        parts << QStringLiteral("%1 Hz").arg(track.sampleRate);
    return parts.join(QStringLiteral(", "));
}

} // namespace

MediaPropertiesWindow::MediaPropertiesWindow(MediaEngine* engine, QWidget* parent)
    : QWidget(parent, Qt::Window), m_engine(engine)
{
    setObjectName(QStringLiteral("properties"));
    setWindowTitle(QStringLiteral("プロパティ"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_form = new QFormLayout(this);
    for (const QString& caption : kFixed) {
        auto* value = new QLabel(this);
        // Tags are the file's own text: never markup.
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_form->addRow(caption, value);
    }
    m_fixedRows = m_form->rowCount();
    if (engine) {
        connect(engine, &MediaEngine::infoReady, this, &MediaPropertiesWindow::showInfo);
        connect(engine, &MediaEngine::durationChanged, this, &MediaPropertiesWindow::setLength);
        // The tracks are known once the medium plays.
        connect(engine, &MediaEngine::stateChanged, this, [this](MediaEngine::State state) {
            if (state == MediaEngine::State::Playing && m_engine)
                m_engine->requestInfo();
        });
    }
}

void MediaPropertiesWindow::showFile(const QString& localPath)
{
    const QFileInfo file(localPath);  // only to split the name
    const sys::RegularFile opened(localPath);  // found by the name's own bytes
    setField(QStringLiteral("ファイル名"), file.fileName());
    setField(QStringLiteral("フォルダー"), QDir::toNativeSeparators(file.absolutePath()));
    setField(QStringLiteral("サイズ"),
             opened.isOpen() ? QStringLiteral("%1 バイト").arg(QLocale::c().toString(opened.size())) : QString());
    for (const QString& caption : kFixed.mid(3))
        setField(caption, QString());
    clearTracks();
    if (m_engine)
        m_engine->requestInfo();
}

void MediaPropertiesWindow::showTags(const MediaTags& tags)
{
    setField(QStringLiteral("タイトル"), tags.title);
    setField(QStringLiteral("アーティスト"), tags.artist);
    setField(QStringLiteral("アルバム"), tags.album);
    setField(QStringLiteral("著作権"), tags.copyright);
}

void MediaPropertiesWindow::setLength(qint64 ms)
{
    setField(QStringLiteral("長さ"), lengthText(ms));
}

QString MediaPropertiesWindow::field(const QString& caption) const
{
    for (int row = 0; row < m_form->rowCount(); ++row) {
        auto* label = qobject_cast<QLabel*>(m_form->itemAt(row, QFormLayout::LabelRole)->widget());
        auto* value = qobject_cast<QLabel*>(m_form->itemAt(row, QFormLayout::FieldRole)->widget());
        if (label && value && label->text() == caption)
            return value->text();
    }
    return QString();
}

void MediaPropertiesWindow::showInfo(const MediaInfo& info)
{
    clearTracks();
    QString size, rate;
    int number = 0;
    for (const MediaTrackInfo& track : info.tracks) {
        if (track.kind == MediaTrackInfo::Kind::Video && size.isEmpty() && track.size.isValid()
            && !track.size.isEmpty()) {
            size = QStringLiteral("%1 × %2").arg(track.size.width()).arg(track.size.height());
            if (track.frameRate > 0)
                rate = QStringLiteral("%1 fps").arg(QLocale::c().toString(track.frameRate, 'f', 3));
        }
        auto* value = new QLabel(trackText(track), this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_form->addRow(QStringLiteral("トラック %1").arg(++number), value);
    }
    setField(QStringLiteral("映像の大きさ"), size);
    setField(QStringLiteral("フレームレート"), rate);
}

void MediaPropertiesWindow::setField(const QString& caption, const QString& text)
{
    for (int row = 0; row < m_form->rowCount(); ++row) {
        auto* label = qobject_cast<QLabel*>(m_form->itemAt(row, QFormLayout::LabelRole)->widget());
        if (label && label->text() == caption) {
            if (auto* value = qobject_cast<QLabel*>(m_form->itemAt(row, QFormLayout::FieldRole)->widget()))
                value->setText(text);
            return;
        }
    }
}

void MediaPropertiesWindow::clearTracks()
{
    while (m_form->rowCount() > m_fixedRows)
        m_form->removeRow(m_form->rowCount() - 1);
}
