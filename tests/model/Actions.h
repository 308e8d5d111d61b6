#pragma once
// What a user can do to the main window, as plain values that print as one
// line each ("mnuFileOpen good 3", "List2 click 5", "Timer1 tick") and read
// back, so that a failing sequence can be pasted into a replay test.
//
// The generator draws actions at random from a seed; which of them a user
// could really do at that moment (an enabled menu item, a picture that can be
// seen) is for the world that runs them to decide: it passes over the rest.
// The shrinker cuts a failing sequence down to a shortest one that still fails.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <random>
#include <vector>

namespace model {

enum class Kind {
    Menu,        // choose a menu item; `answer` says how its dialog is answered
    ListClick,   // click on List2 at entry `value` (−1 and past the end too)
    ListKey,     // an arrow key (Up, Down, Home, End, PageUp, PageDown) on List2
    ImageClick,  // click on the background picture Image1
    BarClick,    // click on the bar Picture2
    Tick,        // Timer1 ticks
    CloseHelp,   // the help window is closed by the user
    CloseVersion,
    CdButton,    // a button of the CD control: prev, play, pause, stop, next, eject
    CdVanish,    // the CD drive goes away: every later read fails
};

// How a file dialog is answered, or which drive "CDを演奏する" finds.
enum class Answer { Cancel, Good, Missing, Hostile };
enum class Drive { Works, NoDisc, Vanishing };

struct Action {
    Kind kind = Kind::Tick;
    QString item;           // the menu item's name, for Kind::Menu
    Answer answer = Answer::Cancel;
    int value = 0;          // entry, key, button, file variant or drive

    QString toString() const;
    bool operator==(const Action&) const = default;
};

std::optional<Action> parseAction(const QString& line);

// The menu items a user can reach, by name ("mnuEnd" is left out: it ends
// the program).
const QStringList& menuItemNames();
const QStringList& listKeyNames();
const QStringList& cdButtonNames();

class Generator {
public:
    explicit Generator(quint64 seed) : m_random(seed) {}
    // The next action; listCount is the play list's length now.
    Action next(int listCount);

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    std::mt19937_64 m_random;
};

using Sequence = std::vector<Action>;

// Runs a sequence from a fresh window and returns the index of the first
// action after which a check failed (−1: none failed) and its message.
struct Outcome {
    int failedAt = -1;
    QString message;
};
using Runner = std::function<Outcome(const Sequence&)>;

// The shortest prefix that still fails, then with every action left out that
// the failure does not need. The result fails with the runner.
Sequence shrink(const Sequence& failing, const Runner& run);

// The sequence as the lines of a replay test.
QString printSequence(const Sequence& sequence);

} // namespace model
