#include "controls/mediaplayer/MediaStatisticsWindow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLocale>

namespace {

const QStringList kCaptions = {
    QStringLiteral("デコードしたフレーム"), QStringLiteral("表示したフレーム"),
    QStringLiteral("失われたフレーム"),     QStringLiteral("入力ビットレート"),
    QStringLiteral("分離後のビットレート"), QStringLiteral("再生した音声バッファー"),
    QStringLiteral("失われた音声バッファー"),
};

QString kbps(double value)
{
    return QStringLiteral("%1 kb/s").arg(QLocale::c().toString(value, 'f', 0));
}

} // namespace

MediaStatisticsWindow::MediaStatisticsWindow(MediaEngine* engine, QWidget* parent)
    : QWidget(parent, Qt::Window), m_engine(engine)
{
    setObjectName(QStringLiteral("statistics"));
    setWindowTitle(QStringLiteral("統計"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* form = new QFormLayout(this);
    for (const QString& caption : kCaptions) {
        auto* value = new QLabel(this);
        value->setMinimumWidth(120);
        form->addRow(caption, value);
        m_values << value;
    }
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &MediaStatisticsWindow::refresh);
    if (engine)
        connect(engine, &MediaEngine::statisticsReady, this, &MediaStatisticsWindow::showStatistics);
}

void MediaStatisticsWindow::refresh()
{
    if (m_engine)
        m_engine->requestStatistics();
}

void MediaStatisticsWindow::showStatistics(const MediaStatistics& s)
{
    const QStringList texts = {
        QString::number(s.decodedVideo), QString::number(s.displayedPictures), QString::number(s.lostPictures),
        kbps(s.inputKbps),               kbps(s.demuxKbps),                    QString::number(s.playedAudioBuffers),
        QString::number(s.lostAudioBuffers),
    };
    for (int i = 0; i < m_values.size(); ++i)
        m_values[i]->setText(texts.value(i));
}

QString MediaStatisticsWindow::field(const QString& caption) const
{
    const int index = int(kCaptions.indexOf(caption));
    return index < 0 ? QString() : m_values[index]->text();
}

void MediaStatisticsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
    m_timer.start();
}

void MediaStatisticsWindow::hideEvent(QHideEvent* event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}
