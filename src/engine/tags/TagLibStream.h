#pragma once
// A TagSource as TagLib reads a file: every read TagLib makes goes through
// the source's one handle and its budget; once that is spent, TagLib finds
// the end of the file. Read-only: writing does nothing.

#include "engine/tags/TagSource.h"

#include <taglib/tiostream.h>

#include <string>

class TagLibStream final : public TagLib::IOStream {
public:
    // name: the file's name, for the formats that TagLib tells by suffix.
    TagLibStream(TagSource& source, const QString& name);

    TagLib::FileName name() const override;
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return m_source.isOpen(); }
    void seek(long offset, Position from = Beginning) override;
    long tell() const override { return m_at; }
    long length() override { return long(m_source.size()); }
    void truncate(long) override {}

private:
    TagSource& m_source;
#ifdef Q_OS_WIN
    std::wstring m_name;
#else
    QByteArray m_name;
#endif
    long m_at = 0;
};
