#pragma once
// The command line: sorvan [OPTION…] [FILE…]. Read before any window is
// made, so that --help, --version and a wrong option show none.

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    // Help, Version: the text for standard output; Wrong: the one line for
    // standard error.
    QString text;
    // Files to hand to the window: absolute paths, resolved against the
    // caller's folder, or addresses as given (file:// ones as paths).
    QStringList files;
    // --cd-device: the CD drive or disc image CD mode uses (absolute); empty:
    // the system's first drive.
    QString cdDevice;
};

// Reads arguments (the program's name first). Relative names are taken
// from callerFolder.
CommandLine readCommandLine(const QStringList& arguments, const QString& callerFolder);

// The exit status of an action that ends the program before it starts: 0,
// or 2 for a wrong command line.
int exitStatusOf(CommandLine::Action action);
