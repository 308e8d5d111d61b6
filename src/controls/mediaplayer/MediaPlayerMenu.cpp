// The media player control's context menu. It is made anew each time it
// opens, from what the control can do at that moment.

#include "controls/mediaplayer/MediaPlayer.h"

#include <QActionGroup>
#include <QMenu>

#include <utility>

std::unique_ptr<QMenu> MediaPlayer::makeContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("contextMenu"));
    const bool media = hasMedia();
    const bool video = hasVideo();
    const bool seek = canSeek();
    auto item = [](QMenu* into, const QString& caption, bool enabled, auto slot) {
        QAction* action = into->addAction(caption);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, into, slot);
        return action;
    };

    item(menu.get(), isPlaying() ? QStringLiteral("一時停止") : QStringLiteral("再生"), media,
         [this] { togglePlay(); });
    item(menu.get(), QStringLiteral("停止"), media, [this] { Stop(); });
    menu->addSeparator();
    item(menu.get(), QStringLiteral("巻き戻し"), seek, [this] { skip(-kSkipMs); });
    item(menu.get(), QStringLiteral("早送り"), seek, [this] { skip(kSkipMs); });
    menu->addSeparator();

    QMenu* zoomMenu = menu->addMenu(QStringLiteral("ズーム"));
    zoomMenu->setEnabled(video);
    auto* zooms = new QActionGroup(zoomMenu);
    const std::pair<PlayerZoom, QString> zoomItems[] = {
        {PlayerZoom::Half, QStringLiteral("50%")},
        {PlayerZoom::Actual, QStringLiteral("100%")},
        {PlayerZoom::Double, QStringLiteral("200%")},
        {PlayerZoom::Fit, QStringLiteral("ウィンドウに合わせる")},
    };
    for (const auto& [zoom, caption] : zoomItems) {
        QAction* action = item(zoomMenu, caption, video, [this, zoom = zoom] { setZoom(zoom); });
        action->setCheckable(true);
        action->setChecked(zoom == m_zoom);
        zooms->addAction(action);
    }
    QAction* full = item(menu.get(), QStringLiteral("全画面表示"), video, [this](bool on) { setFullScreen(on); });
    full->setCheckable(true);
    full->setChecked(isFullScreen());
    menu->addSeparator();

    QMenu* volumeMenu = menu->addMenu(QStringLiteral("音量"));
    item(volumeMenu, QStringLiteral("上げる"), volume() < 100, [this] { changeVolume(kKeyVolumeStep); });
    item(volumeMenu, QStringLiteral("下げる"), volume() > 0, [this] { changeVolume(-kKeyVolumeStep); });
    QAction* mute = item(volumeMenu, QStringLiteral("消音"), true, [this](bool on) { setMuted(on); });
    mute->setCheckable(true);
    mute->setChecked(isMuted());

    QMenu* rateMenu = menu->addMenu(QStringLiteral("再生速度"));
    auto* rates = new QActionGroup(rateMenu);
    const std::pair<double, QString> rateItems[] = {
        {0.5, QStringLiteral("0.5倍")},
        {1.0, QStringLiteral("1倍")},
        {1.5, QStringLiteral("1.5倍")},
        {2.0, QStringLiteral("2倍")},
    };
    for (const auto& [rate, caption] : rateItems) {
        QAction* action = item(rateMenu, caption, true, [this, rate = rate] { setRate(rate); });
        action->setCheckable(true);
        action->setChecked(qFuzzyCompare(rate, m_rate));
        rates->addAction(action);
    }
    menu->addSeparator();
    item(menu.get(), QStringLiteral("プロパティ"), media, [this] { showProperties(); });
    item(menu.get(), QStringLiteral("統計"), media, [this] { showStatistics(); });
    return menu;
}
