#pragma once
// The media player's full-screen window: black, frameless, covering one
// screen. It borrows the player's picture area and bar while it is shown and
// gives them back when it leaves; the bar lies over the bottom edge while the
// mouse moves and hides, with the mouse cursor, after 2 seconds of stillness.
//
// What the user does in it (keys, the context menu, a close) is handed to
// the player through signals; the window decides nothing itself.

#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QScreen;

class MediaFullScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kIdleMs = 2000;

    explicit MediaFullScreen(QWidget* picture, QWidget* bar);
    ~MediaFullScreen() override;

    // Covers screen with the borrowed picture area and shows the bar.
    void enter(QScreen* screen);
    // Gives the picture area and the bar back to home and hides the window.
    void leave(QWidget* home);

    // The bar and cursor show again; the idle timer starts over.
    void wake();
    // No movement for kIdleMs: the bar and the cursor hide.
    void idle();
    bool isBarShown() const;
    const QTimer& idleTimer() const { return m_idle; }

signals:
    void keyPressed(QKeyEvent* event);
    void contextMenuRequested(QPoint globalPos);
    void closeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void placeChildren();
    void setCursorShown(bool shown);

    QPointer<QWidget> m_picture;
    QPointer<QWidget> m_bar;
    QTimer m_idle;
    bool m_borrowed = false;
};
