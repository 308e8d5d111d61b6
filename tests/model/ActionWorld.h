#pragma once
// The main window offscreen with the fakes, a folder of media and list files
// (good ones, missing ones and hostile ones), and the reference model beside
// it. Each action is done the way a user does it (a menu item is chosen only
// while it can be; a click lands where the entry is drawn) and then the
// window is compared with the model.

#include "model/Actions.h"
#include "model/ReferenceModel.h"
#include "support/MainWindowHarness.h"

#include <QDebug>
#include <QMap>

class QAction;
#include <atomic>
#include <memory>

namespace model {

class ActionWorld {
public:
    ActionWorld();
    ~ActionWorld();

    // Does the action if a user could (else passes over it), then returns
    // every difference from the model, empty when there is none.
    QString step(const Action& action);
    int listCount() const { return int(m_model.list1.size()); }

    // Counts over the run, for the report.
    int done = 0;        // actions that a user could do and did
    int checks = 0;      // invariants compared

private:
    QString media(Answer answer, int value) const;
    std::optional<QString> listToOpen(Answer answer, int value);
    std::optional<QString> listToSave(Answer answer, int value) const;
    bool writable(const QString& target) const;
    QString saveAndCompare(const std::function<void()>& run, const QString& target, bool expectWritten,
                           const std::function<void(bool)>& apply);

    bool chooseMenu(const Action& action, QString* problem);
    bool clickList(int entry);
    bool pressKey(int key);
    bool clickCd(int button);
    QString compare();

    MainWindowHarness m_h{false};
    ReferenceModel m_model;
    QString m_media;                          // folder of the media files
    QMap<QString, QStringList> m_knownLists;  // list files and what they hold
    std::shared_ptr<std::atomic<bool>> m_driveGone = std::make_shared<std::atomic<bool>>(false);
    bool m_helpOpen = false;
    bool m_versionOpen = false;
    int m_ejects = 0;
};

// "what is seen but the model says expected", for a failure message.
template <class T>
QString differs(const char* what, const T& seen, const T& expected)
{
    QString s;
    QDebug(&s) << what << "is" << seen << "but the model says" << expected;
    return s;
}

// Every menu item of the window by name, top-level items included.
QMap<QString, QAction*> menuItems(frmMain& form);

// Runs a sequence on a fresh world; the first failing step and its message.
Outcome runSequence(const Sequence& sequence);

} // namespace model
