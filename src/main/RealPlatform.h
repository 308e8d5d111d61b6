#pragma once
// The real outside world: Qt's dialogs, libVLC, libcdio, the clock and the
// folder of the executable.

#include "app/Platform.h"
#include "system/RuntimeFolder.h"

#include <memory>

// Process-wide settings that must be made before QApplication exists;
// returns the private runtime folder settled on (XDG_RUNTIME_DIR from now on).
sys::RuntimeFolder prepareProcessEnvironment();
// Qt writes no settings file for the program (its file dialog would keep a
// history). Part of prepareProcessEnvironment.
void keepNoSettings();
// Where the media and list dialogs start: the program folder while it can be
// written (a copy unpacked somewhere of the user's), else the user's Music
// folder (empty when there is none), else the home folder.
QString dialogStartFolder(const QString& programFolder, bool programFolderWritable, const QString& musicFolder,
                          const QString& homeFolder);
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
