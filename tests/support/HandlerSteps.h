#pragma once
// The steps a person takes through the main window's menus, each answering
// its file dialog with the given path, as the handler tests use them.

#include "support/MainWindowHarness.h"

#include <QList>
#include <initializer_list>

class QAction;

// "メディアファイルを開く" with path.
void addMedia(MainWindowHarness& h, const QString& path);
// "リストファイルを開く" with path.
void openList(MainWindowHarness& h, const QString& path);
// "名前を付けてリストを保存" as path.
void saveListAs(MainWindowHarness& h, const QString& path);
// The last path the media player's engine was given, or an empty string.
QString lastOpened(MainWindowHarness& h);
// Whether each of the menu items is enabled, in the order given.
QList<bool> enabledMenus(std::initializer_list<const QAction*> items);
