#pragma once
// The one way in for files from outside the window: dropped from a file
// manager, named on the command line, sent by a later launch, or opened
// through the desktop's player controls.
//
// Media files of the types the open dialog offers are listed as a drop lists
// them: the first as if chosen in the open dialog, so it plays, the others
// behind it in their order. A single list file is opened as if chosen in the
// list dialog. In CD mode nothing is taken. What is not a playable file
// (missing, a folder, a device, an unknown type, a remote address, a name
// with a line break) is refused at once with its reason, and the rest is
// taken in a later pass, once no handler waits (OutsideRequests). Names are
// looked at through their bytes (sys::kindOfFile), so a name that is not
// UTF-8 is found.

#include "desktop/LaunchListener.h"
#include "desktop/OutsideRequests.h"
#include "desktop/Refusals.h"

#include <QStringList>

class frmMain;

class HandOver {
public:
    struct Refused {
        qsizetype position = 0;  // in the names judged
        Refusal why = Refusal::NotFound;
        QString name;
    };
    // What a list of names comes to: each name is a path or an address.
    struct Sorted {
        QStringList mediaFiles;  // absolute, in the platform's separators
        QString listFile;
        QList<Refused> refused;
        // Names with a line break: refused with a message box as well, as
        // the open dialog refuses them.
        QStringList lineBreakNames;
        bool isEmpty() const { return mediaFiles.isEmpty() && listFile.isEmpty() && lineBreakNames.isEmpty(); }
        // The files it brings, for the queue's bound.
        qsizetype files() const;
        // One line for each refused name: "sorvan: <why>: <name>".
        QStringList lines() const;
    };
    // Judges names against the file system. A list file counts only alone.
    static Sorted sort(const QStringList& names);

    explicit HandOver(frmMain& form);

    // The queue the hand-overs wait in, shared with the desktop's player
    // controls so that all requests run in their order of arrival.
    OutsideRequests& requests() { return m_requests; }

    // True while the window takes files: not in CD mode.
    bool open() const;
    // Names judged now: sorted, with everything refused in CD mode; full
    // when the queue has no room for them.
    struct Judged {
        Sorted sorted;
        bool full = false;
    };
    Judged judge(const QStringList& names) const;
    // Hands names over: judged now, taken in a later pass. Returns the lines
    // naming what is not taken (also written to standard error), the last
    // saying so when the queue is full and nothing is taken.
    struct Taken {
        QStringList lines;
        bool full = false;
    };
    Taken take(const QStringList& names);
    // A later launch's names, for LaunchListener: the answer, and the take
    // that its acknowledgement runs. No names: raise comes, in a later pass.
    LaunchListener::Verdict launched(const QStringList& names, std::function<void()> raise);
    // Takes what sort kept, at once.
    void takeNow(const Sorted& sorted);

    // The line for a request that finds the queue full.
    static QString fullLine();

private:
    frmMain& m_form;
    OutsideRequests m_requests;
};
