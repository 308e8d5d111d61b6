// The list formats table: each format's files read into entries (one table of
// files a format), the format told by suffix and content, locations made
// paths, lists written and read back, and the desktop files that name the
// formats' MIME types.
#include "playlist/formats/ListFormats.h"
#include "playlist/formats/ListLocations.h"
#include "system/FileNames.h"

#include <QFile>
#include <gtest/gtest.h>

void PrintTo(const ListItem& item, std::ostream* out)
{
    *out << "{" << item.location.toStdString() << " | " << item.title.toStdString() << " | " << item.seconds << "}";
}

namespace {

struct FileRow {
    const char* what;
    QByteArray bytes;
    std::optional<ListItems> items;  // nothing: refused whole
};

void readEach(ListFormat::Id id, const std::vector<FileRow>& rows)
{
    for (const FileRow& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ListFormatOf(id).read(row.bytes), row.items);
    }
}

ListItems entries(std::initializer_list<const char*> locations)
{
    ListItems items;
    for (const char* location : locations)
        items.append({QString::fromUtf8(location), {}, -1});
    return items;
}

} // namespace

TEST(ListFormatFiles, M3uAndM3u8)
{
    const QByteArray line4096 = "/m/" + QByteArray(4093, 'a');
    readEach(ListFormat::Id::M3u,
             {
                 {"titles and lengths, other # lines skipped",
                  "#EXTM3U\n#EXTINF:123,Artist - Song\n/m/a.mp3\n#EXTGRP:x\n\n  b c.mp3  \r\n#EXTINF:-1,\nhttp://r/s\n",
                  ListItems{{"/m/a.mp3", "Artist - Song", 123}, {"b c.mp3", "", -1}, {"http://r/s", "", -1}}},
                 {"attributes with a quoted comma, a decimal length",
                  "#EXTINF:12.9 tvg-name=\"a,b\" x=\"1\",T,itle\nz.mp3\n", ListItems{{"z.mp3", "T,itle", 12}}},
                 {"CP932 with 0x5C trail bytes, Windows separators",
                  "#EXTINF:5,\x95\x5c\x83\x5c\n C:\\\x89\xb9\x8a\x79\\\x94\x5c.mp3\n",
                  ListItems{{u"C:\\音楽\\能.mp3"_qs, u"表ソ"_qs, 5}}},
                 {"#EXTENC names the encoding", "#EXTM3U\n#EXTENC: windows-1252\nCaf\xe9.mp3\n", entries({"Café.mp3"})},
                 {"UTF-16 with its mark", QByteArray("\xFF\xFE" "a\0.\0m\0p\0" "3\0\n\0", 14), entries({"a.mp3"})},
                 {"a NUL", QByteArray("a.mp3\n\0b.mp3\n", 13), std::nullopt},
                 {"a line of 4,096 bytes", line4096 + "\n", ListItems{{QString::fromLatin1(line4096), {}, -1}}},
                 {"a line of 4,097 bytes", line4096 + "a\n", std::nullopt},
             });
    QByteArray overLimit;
    overLimit.reserve(4'000'002);
    for (int i = 0; i <= 2'000'000; ++i)
        overLimit += "a\n";
    readEach(ListFormat::Id::M3u8,
             {
                 {"a mark, UTF-8 titles", "\xEF\xBB\xBF#EXTM3U\n#EXTINF:7,\xE6\x9B\xB2\n\xE6\x9B\xB2.mp3\n",
                  ListItems{{u"曲.mp3"_qs, u"曲"_qs, 7}}},
                 {"a name that is not UTF-8 keeps its bytes", "caf\xe9.mp3\n",
                  ListItems{{sys::nameFromBytes("caf\xe9.mp3"), {}, -1}}},
                 {"2,000,001 entries", overLimit, std::nullopt},
             });
}

TEST(ListFormatFiles, Pls)
{
    readEach(ListFormat::Id::Pls,
             {
                 {"any order, gaps, any case, other sections",
                  "[playlist]\nTitle3=Three\nfile3=c.mp3\nFile1=a.mp3\nLength1=61\nLength3=-1\nNumberOfEntries=9\n"
                  "Version=2\n[other]\nFile2=x.mp3\n",
                  ListItems{{"a.mp3", "", 61}, {"c.mp3", "Three", -1}}},
                 {"CP932", "[Playlist]\r\nFile1=\x8b\xc8.mp3\r\nTitle1=\x8b\xc8\r\n", ListItems{{u"曲.mp3"_qs, u"曲"_qs, -1}}},
                 {"a title without its file", "[playlist]\nTitle1=t\n", ListItems{}},
                 {"no [playlist] section", "File1=a.mp3\n", std::nullopt},
                 {"a NUL", QByteArray("[playlist]\nFile1=a\0\n", 20), std::nullopt},
             });
}

TEST(ListFormatFiles, Xspf)
{
    const QByteArray head = "<?xml version=\"1.0\"?><playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\"><trackList>";
    const QByteArray tail = "</trackList></playlist>";
    QByteArray deep = head + "<track><location>a</location>";
    for (int i = 0; i < 70; ++i)
        deep += "<x:e xmlns:x=\"urn:e\">";
    readEach(ListFormat::Id::Xspf,
             {
                 {"locations, titles, durations, extensions skipped",
                  head + "<track><location> %E6%9B%B2.mp3 </location><title>曲</title><duration>61500</duration>"
                         "<extension application=\"x\"><location>no</location></extension></track>"
                         "<track><title>no location</title></track>"
                         "<track><location>http://r/s</location><location>file:///m/a.mp3</location></track>"
                       + tail,
                  ListItems{{"%E6%9B%B2.mp3", u"曲"_qs, 61}, {"file:///m/a.mp3", "", -1}}},
                 {"UTF-16", QByteArray("\xFF\xFE") + [&] {
                      const QString text = QString::fromUtf8(head + "<track><location>a</location></track>" + tail);
                      return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
                  }(),
                  entries({"a"})},
                 {"another namespace", "<playlist xmlns=\"urn:other\"><trackList/></playlist>", std::nullopt},
                 {"a document type", "<!DOCTYPE p [<!ENTITY e \"a\">]>" + head + "<track><location>&e;</location></track>" + tail,
                  std::nullopt},
                 {"an external entity", "<!DOCTYPE p SYSTEM \"http://x/p.dtd\">" + head + tail, std::nullopt},
                 {"too deep", deep, std::nullopt},
                 {"cut short", head + "<track><location>a</location></track>", std::nullopt},
                 {"an element inside a location", head + "<track><location>a<b/></location></track>" + tail,
                  std::nullopt},
             });
}

TEST(ListFormatFiles, SuffixThenContentNamesTheFormat)
{
    const struct {
        const char* name;
        QByteArray head;
        ListFormat::Id id;
    } rows[] = {
        {"a.M3U8", "/m/a.mp3\n", ListFormat::Id::M3u8},
        {"a.m3u", "", ListFormat::Id::M3u},
        {"a.pls", "#EXTM3U\n", ListFormat::Id::Pls},
        {"a.xspf", "", ListFormat::Id::Xspf},
        {"a.lst", "#EXTM3U\n/m/a.mp3\n", ListFormat::Id::M3u},
        {"a.lst", "\xEF\xBB\xBF\r\n [Playlist] \nFile1=a\n", ListFormat::Id::Pls},
        {"a", "<?xml version=\"1.0\"?>\n<!-- x --><playlist xmlns=\"http://xspf.org/ns/0/\">", ListFormat::Id::Xspf},
        {"a.txt", "<playlist xmlns=\"urn:other\">", ListFormat::Id::Sorvan},
        {"a.lst", "/m/#EXTM3U.mp3\n", ListFormat::Id::Sorvan},
        {"a.LST", "C:\\Music\\a.mid\r\n", ListFormat::Id::Sorvan},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name + (" / " + row.head.toStdString()));
        EXPECT_EQ(ListFormatToRead(row.name, row.head).id, row.id);
    }
    EXPECT_EQ(ListFormatToWrite("/a/x.XSPF").id, ListFormat::Id::Xspf);
    EXPECT_EQ(ListFormatToWrite("/a.m3u8/x").id, ListFormat::Id::Sorvan);
}

TEST(ListLocations, EachLocationNamesItsPath)
{
    using Kind = ListLocation::Kind;
    const struct {
        const char* text;
        bool uri;
        Kind kind;
        QString path;
        QStringList parts;  // Windows
    } rows[] = {
        {"a/../b c.mp3", false, Kind::Path, "/l/b c.mp3", {}},
        {"../../../../x.mp3", false, Kind::Path, "/x.mp3", {}},
        {"/m/%41.mp3", false, Kind::Path, "/m/%41.mp3", {}},
        {"file:///m/%E6%9B%B2%2541.mp3", false, Kind::Path, u"/m/曲%41.mp3"_qs, {}},
        {"file://localhost/m/caf%E9.mp3", false, Kind::Path, sys::nameFromBytes("/m/caf\xe9.mp3"), {}},
        {"HTTPS://r/s.mp3", false, Kind::Address, "HTTPS://r/s.mp3", {}},
        {"C:\\Users\\太郎\\.\\Music\\曲.mp3", false, Kind::Windows, u"C:\\Users\\太郎\\Music\\曲.mp3"_qs,
         {"Users", "太郎", "Music", "曲.mp3"}},
        {"\\\\server\\share\\Music\\a.mp3", false, Kind::Windows, "\\\\server\\share\\Music\\a.mp3", {"Music", "a.mp3"}},
        {"Music\\a.mp3", false, Kind::Windows, "Music\\a.mp3", {"Music", "a.mp3"}},
        {"file:///C:/Music/a%20b.mp3", false, Kind::Windows, "C:\\Music\\a b.mp3", {"Music", "a b.mp3"}},
        {"file://server/share/a.mp3", false, Kind::Windows, "\\\\server\\share\\a.mp3", {"a.mp3"}},
        {"%E6%9B%B2/a%2Fb.mp3", true, Kind::Path, u"/l/曲/a/b.mp3"_qs, {}},
        {"..%2F%E6%9B%B2.mp3", true, Kind::Path, u"/曲.mp3"_qs, {}},
        {"/m/a%23.mp3", true, Kind::Path, "/m/a#.mp3", {}},
        {"C:%5CMusic%5Ca.mp3", true, Kind::Windows, "C:\\Music\\a.mp3", {"Music", "a.mp3"}},
        {"//host/a.mp3", true, Kind::Address, "//host/a.mp3", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const QString text = QString::fromUtf8(row.text);
        const ListLocation location = row.uri ? LocationOfUri(text, "/l") : LocationOfText(text, "/l");
        EXPECT_EQ(location.kind, row.kind);
        EXPECT_EQ(location.path, row.path);
        EXPECT_EQ(location.parts, row.parts);
    }
}

TEST(ListFormatFiles, WrittenListsReadBackTheSameEntries)
{
    const QString folder = u"/home/u/リスト"_qs;
    const ListItems items = {
        {folder + u"/曲/一 曲.mp3"_qs, u"一曲目"_qs, 61},
        {folder + "/#1.mp3", "", -1},
        {folder + " x/outside.mp3", "multi\nline", 5},
        {"/m/ lead and trail ", "", -1},
        {"/m/back\\slash.mp3", "", -1},
        {"/m/50%.mp3", "", -1},
        {sys::nameFromBytes("/m/caf\xe9.mp3"), "", -1},
        {u"C:\\Users\\太郎\\曲.mp3"_qs, "", -1},
    };
    for (ListFormat::Id id : {ListFormat::Id::M3u, ListFormat::Id::M3u8, ListFormat::Id::Pls, ListFormat::Id::Xspf}) {
        const ListFormat& format = ListFormatOf(id);
        SCOPED_TRACE(format.name.toStdString());
        const std::optional<QByteArray> bytes = format.write(items, folder);
        ASSERT_TRUE(bytes);
        EXPECT_TRUE(bytes->isValidUtf8());
        EXPECT_TRUE(bytes->contains("%E9.mp3")) << "the byte that is not UTF-8 is percent-encoded";
        const std::optional<ListItems> read = format.read(*bytes);
        ASSERT_TRUE(read);
        ASSERT_EQ(read->size(), items.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(i);
            const ListItem& back = read->at(i);
            const ListLocation location = id == ListFormat::Id::Xspf ? LocationOfUri(back.location, folder)
                                                                     : LocationOfText(back.location, folder);
            if (location.kind == ListLocation::Kind::Windows) {
                EXPECT_EQ(location.parts, (QStringList{"Users", u"太郎"_qs, u"曲.mp3"_qs}));
            } else {
                EXPECT_EQ(location.path, items[i].location);
            }
            EXPECT_EQ(back.seconds, items[i].seconds);
            if (!items[i].title.isEmpty()) {
                EXPECT_EQ(back.title, QString(items[i].title).replace('\n', ' '));
            }
        }
        if (id != ListFormat::Id::Xspf) {
            EXPECT_TRUE(bytes->contains(u"曲/一 曲.mp3"_qs.toUtf8())) << "relative, with /";
        }
    }
}

TEST(ListFormatFiles, TheDesktopFilesNameEveryListType)
{
    QFile entry(SORVAN_TEST_SOURCE_DIR "/../assets/desktop/sorvan.desktop");
    QFile appStream(SORVAN_TEST_SOURCE_DIR "/../assets/desktop/sorvan.metainfo.xml.in");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly) && appStream.open(QIODevice::ReadOnly));
    const QByteArray desktop = entry.readAll();
    const QByteArray metainfo = appStream.readAll();
    const QByteArray mimeLine = desktop.mid(desktop.indexOf("\nMimeType="));
    for (const QString& type : ListMimeTypes()) {
        SCOPED_TRACE(type.toStdString());
        EXPECT_TRUE(mimeLine.contains((type + ';').toUtf8()));
        EXPECT_TRUE(metainfo.contains(("<mediatype>" + type + "</mediatype>").toUtf8()));
    }
}
