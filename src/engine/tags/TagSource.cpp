#include "engine/tags/TagSource.h"

#include <algorithm>

TagSource::TagSource(const QString& path, qint64 budget) : m_file(path), m_left(budget) {}

QByteArray TagSource::readAt(qint64 offset, qint64 size)
{
    if (offset >= 0 && size >= 0 && offset + size <= m_start.size())
        return m_start.mid(offset, size);
    const qint64 wanted = std::min({size, m_left, m_file.size() - offset});
    if (!m_file.isOpen() || offset < 0 || wanted <= 0)
        return {};
    QByteArray bytes(qsizetype(wanted), Qt::Uninitialized);
    qint64 got = 0;
    while (got < wanted) {
        const qint64 n = m_file.readAt(offset + got, bytes.data() + got, wanted - got);
        if (n <= 0)
            break;
        got += n;
    }
    m_left -= got;
    bytes.truncate(qsizetype(got));
    return bytes;
}

QByteArrayView TagSource::start(qint64 size)
{
    if (size > m_start.size())
        m_start += readAt(m_start.size(), size - m_start.size());
    return QByteArrayView(m_start).first(std::min<qint64>(size, m_start.size()));
}
