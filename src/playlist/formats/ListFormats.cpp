#include "playlist/formats/ListFormats.h"

const QList<ListFormat>& ListFormats()
{
    static const QList<ListFormat> formats{
        {ListFormat::Id::Sorvan, QStringLiteral("Sorvan list"), {QStringLiteral("lst")},
         {QStringLiteral("application/x-sorvan-list")}},
    };
    return formats;
}

const ListFormat* ListFormatOfName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return nullptr;
    const QString suffix = name.mid(dot + 1).toLower();
    for (const ListFormat& format : ListFormats())
        if (format.suffixes.contains(suffix))
            return &format;
    return nullptr;
}

bool IsListFileName(const QString& name)
{
    return ListFormatOfName(name) != nullptr;
}
