#pragma once
// The media player control on a stand-in for Picture1, at MediaPlayer1's
// rectangle, with a fake engine made when the first file comes: the set-up
// of the control's own tests.

#include "controls/mediaplayer/MediaPlayer.h"
#include "controls/mediaplayer/MediaPlayerBar.h"
#include "support/Fakes.h"

#include <QAbstractButton>
#include <QWidget>
#include <gtest/gtest.h>

class PlayerFixture : public ::testing::Test {
protected:
    using State = MediaEngine::State;
    // MediaPlayer1's rectangle inside Picture1, and Picture1's size, in pixels.
    static constexpr QRect kDesign{0, 8, 286, 225};
    static constexpr QSize kPicture1{657, 545};

    PlayerFixture()
    {
        m_host.resize(kPicture1);
        m_player = new MediaPlayer(
            [this] {
                ++m_made;
                auto engine = std::make_unique<FakeMediaEngine>();
                m_engine = engine.get();
                return engine;
            },
            &m_host);
        m_player->setDesignGeometry(kDesign);
        m_host.show();
    }

    // A medium of the given length playing at position, with or without a
    // picture of the given size; the engine's command log starts empty.
    void load(const QString& name, QSize video = {}, qint64 lengthMs = 100000, qint64 positionMs = 50000)
    {
        m_player->setFileName(name);
        emit m_engine->stateChanged(State::Playing);
        emit m_engine->durationChanged(lengthMs);
        emit m_engine->positionChanged(positionMs);
        if (video.isValid())
            emit m_engine->videoSizeChanged(video);
        m_engine->commands.clear();
    }
    QString lastCommand() const { return m_engine->commands.isEmpty() ? QString() : m_engine->commands.last(); }
    // A child of the control's bar by object name.
    template <class T = QAbstractButton>
    T* barChild(const char* name) const
    {
        return m_player->bar()->findChild<T*>(QString::fromLatin1(name));
    }

    QWidget m_host;  // Picture1
    MediaPlayer* m_player = nullptr;
    FakeMediaEngine* m_engine = nullptr;
    int m_made = 0;  // engines made
};
