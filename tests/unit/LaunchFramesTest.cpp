// What a later launch and the window say on the local socket: a message of
// names in frames, read as it arrives, stopped at the first wrong byte.
#include "desktop/LaunchFrames.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace launch_frames;

namespace {
QByteArray number(quint32 n)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(n, bytes.data());
    return bytes;
}
QByteArray frame(const QByteArray& payload)
{
    return number(quint32(payload.size())) + payload;
}
const QByteArray kHeader = "sorvan hand-over 2\n";
} // namespace

TEST(LaunchFrames, AMessageIsReadWhateverItsCutsAndRefusedAtItsFirstWrongByte)
{
    const QList<QByteArray> few{"/m/caf\xE9.wav", QByteArray(kMaxNameBytes, 'x')};
    const QList<QByteArray> many(kMaxNames, QByteArray(300, 'n'));  // three frames of names
    const QList<QByteArray> long_(kMaxNamesBytes / (4 + kMaxNameBytes) + 1, QByteArray(kMaxNameBytes, 'l'));
    struct Row {
        const char* what;
        QByteArray bytes;
        Status status;
        QList<QByteArray> names;  // read once Done or More
    };
    for (const Row& row : {
             Row{"two names", messageOf(few), Status::Done, few},
             Row{"no names", messageOf({}), Status::Done, {}},
             Row{"the most names", messageOf(many), Status::Done, many},
             Row{"cut short", messageOf(few).chopped(1), Status::More, {}},
             Row{"a 1 GiB frame", number(1u << 30) + "x", Status::Bad, {}},
             Row{"an empty frame", number(0), Status::Bad, {}},
             Row{"garbage", QByteArray(64, '\xFF'), Status::Bad, {}},
             Row{"another greeting", frame("sorvan hand-over 1\n" + number(1)), Status::Bad, {}},
             Row{"a count of 0xFFFFFFF0", frame(kHeader + number(0xFFFFFFF0)), Status::Bad, {}},
             Row{"a name past its frame", frame(kHeader + number(1)) + frame(number(9) + "abc"), Status::Bad, {}},
             Row{"an empty name", frame(kHeader + number(1)) + frame(number(0)), Status::Bad, {}},
             Row{"a name too long", frame(kHeader + number(1)) + frame(number(kMaxNameBytes + 1) +
                                                                       QByteArray(kMaxNameBytes + 1, 'x')),
                 Status::Bad, {}},
             Row{"more names than counted", messageOf({"a"}).chopped(5) + frame(number(1) + "a" + number(1) + "b"),
                 Status::Bad, {}},
             Row{"more than 8 MiB of names", messageOf(long_), Status::Bad, {}},
             Row{"bytes before the answer", messageOf({"a"}) + char(kAcknowledge), Status::Bad, {}},
         }) {
        SCOPED_TRACE(row.what);
        MessageReader whole;
        EXPECT_EQ(whole.feed(row.bytes), row.status);
        MessageReader byBytes;
        Status status = Status::More;
        for (qsizetype i = 0; i < row.bytes.size() && status == Status::More; i += 7)
            status = byBytes.feed(QByteArrayView(row.bytes).sliced(i, qMin<qsizetype>(7, row.bytes.size() - i)));
        EXPECT_EQ(status, row.status);
        if (row.status != Status::Bad) {
            EXPECT_EQ(byBytes.names(), row.names);
        }
    }
}

TEST(LaunchFrames, AnAnswerNamesOnlyPositionsOfTheMessage)
{
    const Answer refused{false, {{0, 1}, {2, 7}}};
    struct Row {
        const char* what;
        QByteArray bytes;
        Status status;
    };
    for (const Row& row : {Row{"refusals", answerOf(refused), Status::Done},
                           Row{"full", answerOf({true, {}}), Status::Done},
                           Row{"a position past the names", answerOf({false, {{3, 1}}}), Status::Bad},
                           Row{"an unknown state", frame("\x02" + number(0)), Status::Bad},
                           Row{"a 1 GiB frame", number(1u << 30), Status::Bad},
                           Row{"bytes after it", answerOf(refused) + "x", Status::Bad}}) {
        SCOPED_TRACE(row.what);
        AnswerReader reader(3);
        EXPECT_EQ(reader.feed(row.bytes), row.status);
        if (row.status == Status::Done) {
            EXPECT_EQ(reader.answer(), (row.bytes == answerOf(refused) ? refused : Answer{true, {}}));
        }
    }
}
