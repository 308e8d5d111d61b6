#include "desktop/LaunchFrames.h"

#include <QtEndian>

namespace launch_frames {
namespace {
const QByteArray kGreeting = QByteArrayLiteral("sorvan hand-over 2\n");
constexpr qsizetype kPrefix = 4;

void appendNumber(QByteArray& bytes, quint32 number)
{
    char big[4];
    qToBigEndian(number, big);
    bytes.append(big, 4);
}

quint32 numberAt(QByteArrayView bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.data() + at);
}

void appendFrame(QByteArray& out, const QByteArray& payload)
{
    appendNumber(out, quint32(payload.size()));
    out += payload;
}

// Takes bytes into frame until it holds one whole frame: the count of bytes
// taken, or -1 when the length prefix is out of bounds.
qsizetype fill(QByteArray& frame, QByteArrayView bytes)
{
    qsizetype taken = 0;
    if (frame.size() < kPrefix) {
        taken = qMin(kPrefix - frame.size(), bytes.size());
        frame.append(bytes.first(taken));
        if (frame.size() < kPrefix)
            return taken;
        const quint32 length = numberAt(frame, 0);
        if (length == 0 || length > kMaxFrameBytes)
            return -1;
    }
    const qsizetype wanted = kPrefix + numberAt(frame, 0) - frame.size();
    const qsizetype more = qMin(wanted, bytes.size() - taken);
    frame.append(bytes.sliced(taken, more));
    return taken + more;
}

bool whole(const QByteArray& frame)
{
    return frame.size() >= kPrefix && frame.size() == kPrefix + numberAt(frame, 0);
}
} // namespace

QByteArray messageOf(const QList<QByteArray>& names)
{
    QByteArray out;
    QByteArray header = kGreeting;
    appendNumber(header, quint32(names.size()));
    appendFrame(out, header);
    QByteArray frame;
    for (const QByteArray& name : names) {
        if (frame.size() + kPrefix + name.size() > kMaxFrameBytes) {
            appendFrame(out, frame);
            frame.clear();
        }
        appendNumber(frame, quint32(name.size()));
        frame += name;
    }
    if (!frame.isEmpty())
        appendFrame(out, frame);
    return out;
}

QByteArray answerOf(const Answer& answer)
{
    QByteArray payload(1, answer.full ? 1 : 0);
    appendNumber(payload, quint32(answer.refused.size()));
    for (const Answer::Refused& refused : answer.refused) {
        appendNumber(payload, refused.position);
        payload += char(refused.reason);
    }
    QByteArray out;
    appendFrame(out, payload);
    return out;
}

Status MessageReader::feed(QByteArrayView bytes)
{
    while (m_status == Status::More && !bytes.isEmpty()) {
        const qsizetype taken = fill(m_frame, bytes);
        if (taken < 0)
            return m_status = Status::Bad;
        bytes = bytes.sliced(taken);
        if (whole(m_frame))
            m_status = frameDone();
    }
    if (m_status == Status::Done && !bytes.isEmpty())
        m_status = Status::Bad;  // nothing comes before the answer
    return m_status;
}

Status MessageReader::frameDone()
{
    const QByteArrayView payload = QByteArrayView(m_frame).sliced(kPrefix);
    if (m_count < 0) {
        if (payload.size() != kGreeting.size() + 4 || !payload.startsWith(kGreeting))
            return Status::Bad;
        const quint32 count = numberAt(payload, kGreeting.size());
        if (count > kMaxNames)
            return Status::Bad;
        m_count = count;
        m_names.reserve(m_count);
    } else {
        for (qsizetype at = 0; at < payload.size();) {
            if (payload.size() - at < kPrefix || m_names.size() == m_count)
                return Status::Bad;
            const quint32 length = numberAt(payload, at);
            at += kPrefix;
            m_namesBytes += kPrefix + length;
            if (length == 0 || length > kMaxNameBytes || length > quint32(payload.size() - at)
                || m_namesBytes > kMaxNamesBytes)
                return Status::Bad;
            m_names << payload.sliced(at, length).toByteArray();
            at += length;
        }
    }
    m_frame.clear();
    return m_names.size() == m_count ? Status::Done : Status::More;
}

Status AnswerReader::feed(QByteArrayView bytes)
{
    if (m_status != Status::More)
        return m_status = bytes.isEmpty() ? m_status : Status::Bad;
    const qsizetype taken = fill(m_frame, bytes);
    if (taken < 0 || taken < bytes.size())
        return m_status = Status::Bad;
    if (!whole(m_frame))
        return m_status;
    const QByteArrayView payload = QByteArrayView(m_frame).sliced(kPrefix);
    if (payload.size() < 5 || uchar(payload[0]) > 1)
        return m_status = Status::Bad;
    const quint32 count = numberAt(payload, 1);
    if (count > quint32(m_nameCount) || payload.size() != 5 + qsizetype(count) * 5)
        return m_status = Status::Bad;
    m_answer.full = payload[0] == 1;
    for (qsizetype at = 5; at < payload.size(); at += 5) {
        const quint32 position = numberAt(payload, at);
        if (position >= quint32(m_nameCount))
            return m_status = Status::Bad;
        m_answer.refused << Answer::Refused{position, quint8(payload[at + 4])};
    }
    return m_status = Status::Done;
}
} // namespace launch_frames
