#include "engine/tags/TagLibStream.h"

#include "system/FileNames.h"

TagLibStream::TagLibStream(TagSource& source, const QString& name)
    : m_source(source),
#ifdef Q_OS_WIN
      m_name(name.toStdWString())
#else
      m_name(sys::bytesOfName(name))
#endif
{
}

TagLib::FileName TagLibStream::name() const
{
#ifdef Q_OS_WIN
    return m_name.c_str();
#else
    return m_name.constData();
#endif
}

TagLib::ByteVector TagLibStream::readBlock(unsigned long length)
{
    const QByteArray bytes = m_source.readAt(m_at, qint64(std::min<unsigned long>(length, 1UL << 30)));
    m_at += long(bytes.size());
    return TagLib::ByteVector(bytes.constData(), unsigned(bytes.size()));
}

void TagLibStream::seek(long offset, Position from)
{
    const long base = from == Beginning ? 0 : from == Current ? m_at : long(m_source.size());
    m_at = std::max(0L, base + offset);
}
