#pragma once
// The one way in for files from outside the window: dropped from a file
// manager, named on the command line, sent by a second launch, or opened
// through the desktop's player controls.
//
// Media files of the types the open dialog offers are listed as a drop lists
// them: the first as if chosen in the open dialog, so it plays, the others
// behind it in their order. A single list file is opened as if chosen in the
// list dialog. In CD mode nothing is taken. What is not a playable file
// (missing, a folder, a device, an unknown type, a remote address, a name
// with a line break) is named on standard error, and the rest still taken.
// Files are taken at once, or once no handler waits (OutsideRequests).

#include "desktop/OutsideRequests.h"

#include <QStringList>

class frmMain;

class HandOver {
public:
    // What a list of names comes to: each name is a path or an address.
    struct Sorted {
        QStringList mediaFiles;  // absolute, in the platform's separators
        QString listFile;
        QStringList refused;     // one line each: "sorvan: <why>: <name>"
        // Names with a line break: refused with a message box as well, as
        // the open dialog refuses them.
        QStringList lineBreakNames;
        bool isEmpty() const { return mediaFiles.isEmpty() && listFile.isEmpty() && lineBreakNames.isEmpty(); }
    };
    // Judges names against the file system. A list file counts only alone.
    static Sorted sort(const QStringList& names);

    explicit HandOver(frmMain& form);

    // The queue the hand-overs wait in, shared with the desktop's player
    // controls so that all requests run in their order of arrival.
    OutsideRequests& requests() { return m_requests; }

    // True while the window takes files: not in CD mode.
    bool open() const;
    // Hands names over: judged now, taken now or once no handler waits.
    // Returns the lines naming what is not taken (also written to standard
    // error).
    QStringList take(const QStringList& names);
    // Takes what sort kept, at once.
    void takeNow(const Sorted& sorted);

private:
    frmMain& m_form;
    OutsideRequests m_requests;
};

// Writes lines to standard error, one a line.
void writeToStandardError(const QStringList& lines);
