#pragma once
// The real outside world: Qt's dialogs, libVLC, libcdio, the clock and the
// folder of the executable.

#include "app/Platform.h"

#include <memory>

// Process-wide settings that must be made before QApplication exists.
void prepareProcessEnvironment();
// "ＭＳ Ｐゴシック" is drawn with an installed Japanese proportional gothic.
void registerJapaneseFontSubstitutes();
// The application's default font (menus, captions, the status bar): a
// proportional Japanese gothic. Call once QApplication exists.
void useJapaneseInterfaceFont();

class RealPlatform {
public:
    RealPlatform();
    ~RealPlatform();
    const Platform& platform() const { return m_platform; }

private:
    std::unique_ptr<FileDialogs> m_dialogs;
    std::unique_ptr<MessageBoxes> m_messages;
    Platform m_platform;
};
