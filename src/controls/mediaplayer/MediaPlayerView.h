#pragma once
// The media player control's picture and where things lie: the picture area
// (black, clipping a zoomed picture), the picture in it, the message shown
// instead of a picture, the bar below, fitted or zoomed inside the design
// rectangle, and full screen. It shows what the control tells it; the
// control decides when.

#include "controls/mediaplayer/MediaPlayerLayout.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

class MediaFullScreen;
class QKeyEvent;
class QLabel;
class QScreen;
class QWidget;

class MediaPlayerView : public QObject {
    Q_OBJECT
public:
    // Makes the picture area, the picture and the message inside control.
    // hasPicture says whether a picture is to be shown now.
    MediaPlayerView(QWidget* control, std::function<bool()> hasPicture);
    ~MediaPlayerView() override;
    // The bar the layout places below the picture.
    void setBar(QWidget* bar) { m_bar = bar; }

    QWidget* screenArea() const { return m_screen; }
    QWidget* videoArea() const { return m_video; }

    void setDesign(const QRect& rect);
    QRect design() const { return m_design; }
    void setVideoSize(QSize size) { m_videoSize = size; }
    QSize videoSize() const { return m_videoSize; }
    PlayerZoom zoom() const { return m_zoom; }
    void setZoom(PlayerZoom zoom);
    // Forgets the last medium's picture, zoom and message.
    void reset();

    void showMessage(const QString& text);
    // Empty while no message shows.
    QString message() const;
    bool hasMessage() const;

    // Lays out the control, its picture area, picture, message and bar.
    void applyLayout();

    bool isFullScreen() const;
    MediaFullScreen* fullScreenWindow() const;
    // Covers screen with the picture area and the bar.
    void enterFullScreen(QScreen* screen);
    // Gives them back to the control and lays it out again.
    void leaveFullScreen();

signals:
    // What the user does in the full-screen window.
    void fullScreenKeyPressed(QKeyEvent* event);
    void fullScreenMenuRequested(QPoint globalPos);
    void fullScreenCloseRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlayerLayoutInput layoutInput(QSize video) const;
    void placePicture();

    QWidget* m_control;
    std::function<bool()> m_hasPicture;
    QWidget* m_screen = nullptr;
    QWidget* m_video = nullptr;
    QLabel* m_message = nullptr;
    QWidget* m_bar = nullptr;
    QPointer<MediaFullScreen> m_fullScreen;
    QRect m_design;
    QSize m_videoSize;
    PlayerZoom m_zoom = PlayerZoom::Fit;
};
