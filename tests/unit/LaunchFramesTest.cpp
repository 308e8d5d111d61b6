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
QByteArray frame(const QByteArray& payload) { return number(quint32(payload.size())) + payload; }
const QByteArray kHeader = frame("sorvan hand-over 2\n" + number(1));
} // namespace

TEST(LaunchFrames, AMessageIsReadWhateverItsCutsAndAnyMessageIsStoppedAtItsFirstWrongByte)
{
    const QList<QByteArray> few{"/m/caf\xE9.wav", QByteArray(kMaxNameBytes, 'x')};
    const QList<QByteArray> many(kMaxNames, QByteArray(300, 'n'));  // three frames of names
    const QList<QByteArray> tooLong(kMaxNamesBytes / (4 + kMaxNameBytes) + 1, QByteArray(kMaxNameBytes, 'l'));
    for (const auto& [what, bytes, status, names] : std::initializer_list<std::tuple<const char*, QByteArray, Status, QList<QByteArray>>>{
             {"two names", messageOf(few), Status::Done, few},
             {"no names", messageOf({}), Status::Done, {}},
             {"the most names", messageOf(many), Status::Done, many},
             {"cut short", messageOf(few).chopped(1), Status::More, {}},
             {"a 1 GiB frame", number(1u << 30) + "x", Status::Bad, {}},
             {"an empty frame", number(0), Status::Bad, {}},
             {"garbage", QByteArray(64, '\xFF'), Status::Bad, {}},
             {"another greeting", frame("sorvan hand-over 1\n" + number(1)), Status::Bad, {}},
             {"a count of 0xFFFFFFF0", frame("sorvan hand-over 2\n" + number(0xFFFFFFF0)), Status::Bad, {}},
             {"a name past its frame", kHeader + frame(number(9) + "abc"), Status::Bad, {}},
             {"an empty name", kHeader + frame(number(0)), Status::Bad, {}},
             {"a name too long", kHeader + frame(number(kMaxNameBytes + 1) + QByteArray(kMaxNameBytes + 1, 'x')), Status::Bad, {}},
             {"more names than counted", kHeader + frame(number(1) + "a" + number(1) + "b"), Status::Bad, {}},
             {"more than 8 MiB of names", messageOf(tooLong), Status::Bad, {}},
             {"bytes before the answer", messageOf({"a"}) + char(kAcknowledge), Status::Bad, {}},
         }) {
        SCOPED_TRACE(what);
        MessageReader whole;
        EXPECT_EQ(whole.feed(bytes), status);
        MessageReader bySevens;
        Status got = Status::More;
        for (qsizetype i = 0; i < bytes.size() && got == Status::More; i += 7)
            got = bySevens.feed(QByteArrayView(bytes).sliced(i, qMin<qsizetype>(7, bytes.size() - i)));
        EXPECT_EQ(got, status);
        if (status != Status::Bad) {
            EXPECT_EQ(bySevens.names(), names);
        }
    }
    const Answer refused{false, {{0, 1}, {2, 7}}};
    for (const auto& [what, bytes, status] : std::initializer_list<std::tuple<const char*, QByteArray, Status>>{
             {"an answer", answerOf(refused), Status::Done},
             {"a position past the names", answerOf({false, {{3, 1}}}), Status::Bad},
             {"an unknown state", frame("\x02" + number(0)), Status::Bad},
             {"bytes after it", answerOf(refused) + "x", Status::Bad}}) {
        SCOPED_TRACE(what);
        AnswerReader reader(3);
        EXPECT_EQ(reader.feed(bytes), status);
        EXPECT_TRUE(status == Status::Bad || reader.answer() == refused);
    }
}
