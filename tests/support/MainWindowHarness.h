#pragma once
// A main window wired to fakes, with a temporary program folder, for tests
// of the handlers. Nothing modal is shown and no sound is made.

#include "app/frmMain.h"
#include "support/Fakes.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <memory>
#include <vector>

class MainWindowHarness {
public:
    // Makes the window; Form_Load runs unless told not to.
    explicit MainWindowHarness(bool load = true);
    ~MainWindowHarness();

    frmMain& form() { return *m_form; }
    frmMain* operator->() { return m_form.get(); }

    // The temporary program folder ("/tmp/…/program", no trailing separator).
    QString programFolder() const { return m_programFolder; }
    // A path inside the program folder.
    QString inProgramFolder(const QString& name) const;
    // Writes a file (creating folders) and returns its full path; a file
    // that cannot be written fails the test.
    QString writeFile(const QString& relativePath, const QByteArray& bytes) const;

    // Every engine the window asked for, oldest first.
    std::vector<FakeMediaEngine*> engines;
    FakeMediaEngine* lastEngine() const { return engines.empty() ? nullptr : engines.back(); }
    // The engine behind MediaPlayer1, once it has one.
    FakeMediaEngine* playerEngine() const;

    FakeFileDialogs dialogs;
    FakeMessageBoxes messages;
    // The player's tags, by the path that is played.
    std::shared_ptr<FakeMediaTagReader> tagReader = std::make_shared<FakeMediaTagReader>();
    QDateTime now{QDate(2026, 12, 7), QTime(9, 5, 7)};
    // What the CD opener returns next time (nullptr: no drive), and the
    // devices it was asked for.
    std::unique_ptr<CdDrive> nextCdDrive;
    QStringList cdDevicesOpened;
    // Makes the help window's web view: by default a plain widget that only
    // keeps the address it is given (its "url"), so no web engine starts.
    WebViewMaker webViews = [](QWidget* parent) { return new QWidget(parent); };

private:
    QTemporaryDir m_temp;
    QString m_programFolder;
    std::unique_ptr<frmMain> m_form;
};
