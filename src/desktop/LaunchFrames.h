#pragma once
// What a later launch and the running window say to each other on the local
// socket. Everything travels in frames: a 4-byte length (big-endian, 1 to
// 1 MiB) and that many bytes.
//
//   launch -> window  the message: a header frame ("sorvan hand-over 2\n" and
//                     the count of names, at most 10,000), then frames of
//                     names, each name its 4-byte length and its bytes (1 to
//                     4,096), as many whole names as fit a frame, 8 MiB of
//                     names in all. No names: the launch only asks the
//                     window to come forward.
//   window -> launch  the answer, one frame: whether the window has room for
//                     the request (1 byte: 0 yes, 1 no), the count of names it
//                     refuses, and each refused name's position (4 bytes) and
//                     reason (1 byte, Refusals.h).
//   launch -> window  one byte, kAcknowledge: the launch has its answer and
//                     leaves the rest to the window. Only then are the names
//                     taken; a launch that gave up first sends nothing.
//
// Both readers keep at most one frame and stop at the first byte that breaks
// these rules.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace launch_frames {
constexpr qsizetype kMaxFrameBytes = 1 << 20;
constexpr qsizetype kMaxNames = 10000;
constexpr qsizetype kMaxNameBytes = 4096;
// All names of a message with their lengths.
constexpr qsizetype kMaxNamesBytes = 8 << 20;
constexpr char kAcknowledge = 0x06;
// At most this much is read from a socket at a time, by either end.
constexpr qint64 kReadChunk = 64 * 1024;

// The frames of a launch's message (at most kMaxNames names of at most
// kMaxNameBytes each, kMaxNamesBytes in all).
QByteArray messageOf(const QList<QByteArray>& names);

struct Answer {
    bool full = false;  // no room: nothing is taken
    struct Refused {
        quint32 position = 0;
        quint8 reason = 0;
        bool operator==(const Refused&) const = default;
    };
    QList<Refused> refused;
    bool operator==(const Answer&) const = default;
};
QByteArray answerOf(const Answer& answer);

enum class Status { More, Done, Bad };

// The window's reader of a launch's message.
class MessageReader {
public:
    // Reads the next bytes. Done once the whole message is in; Bad from the
    // first byte that breaks the rules (bytes after the message included).
    Status feed(QByteArrayView bytes);
    const QList<QByteArray>& names() const { return m_names; }

private:
    Status frameDone();

    Status m_status = Status::More;
    QByteArray m_frame;  // the current frame, its length first
    qsizetype m_count = -1;  // from the header
    qsizetype m_namesBytes = 0;
    QList<QByteArray> m_names;
};

// The launch's reader of the window's answer to a message of nameCount names.
class AnswerReader {
public:
    explicit AnswerReader(qsizetype nameCount) : m_nameCount(nameCount) {}
    Status feed(QByteArrayView bytes);
    const Answer& answer() const { return m_answer; }

private:
    qsizetype m_nameCount;
    Status m_status = Status::More;
    QByteArray m_frame;
    Answer m_answer;
};
} // namespace launch_frames
