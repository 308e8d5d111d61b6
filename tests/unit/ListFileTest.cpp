// The list file: bytes to entries and back, hostile files, and saves that
// never leave a half-written list behind.
#include "playlist/ListFile.h"
#include "support/SystemCalls.h"
#include "support/TestFiles.h"
#include "system/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A play list of paths built from Japanese, ASCII, blanks inside and around,
// and some that end in a separator.
QStringList randomPlayList(QRandomGenerator& random)
{
    static const QStringList parts = {
        "音楽", "ソフト", "表", "曲 ", " a b", "Music", "ｶﾀｶﾅ", "①", "～", "ー", "x.mid", "y.MPEG", "　", "z"};
    static const QStringList separators = {"/", "\\"};
    QStringList entries;
    const int count = random.bounded(0, 40);
    for (int i = 0; i < count; ++i) {
        QString path = random.bounded(2) ? QStringLiteral("C:") : QString();
        const int depth = random.bounded(1, 5);
        for (int d = 0; d < depth; ++d)
            path += separators[random.bounded(2)] + parts[random.bounded(parts.size())];
        if (random.bounded(5) == 0)
            path += separators[random.bounded(2)];
        if (random.bounded(5) == 0)
            path = "  " + path + " ";
        entries << path;
    }
    return entries;
}

// A folder "lists" in dir, both open to the unprivileged child.
QString listsFolder(const QTemporaryDir& dir)
{
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7755));
    EXPECT_TRUE(QDir(dir.path()).mkpath("lists"));
    return dir.filePath("lists");
}

QStringList listFolder(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

// ---- the format ----

TEST(ListFileFormat, RandomPlayListsRoundTripByteExact)
{
    QTemporaryDir dir;
    QRandomGenerator random(20261207);
    for (int round = 0; round < 200; ++round) {
        const QStringList entries = randomPlayList(random);
        QByteArray expected;
        for (const QString& entry : entries)
            expected += entry.toUtf8() + "\r\n";

        const QString path = dir.filePath(QStringLiteral("list%1.lst").arg(round));
        ASSERT_TRUE(writeListFile(path, entries)) << round;
        ASSERT_EQ(readBytes(path), expected) << round;
        EXPECT_EQ(readListFile(path), entries) << round;
    }
}

TEST(ListFileFormat, TwoEntriesMakeThirtyTwoBytes)
{
    const QStringList entries = {"C:\\Music\\a.mid", "D:\\Video\\b.avi"};
    const QByteArray bytes = "C:\\Music\\a.mid\r\nD:\\Video\\b.avi\r\n";
    ASSERT_EQ(bytes.size(), 32);
    EXPECT_EQ(encodeListFile(entries), bytes);
    EXPECT_EQ(decodeListFile(bytes), entries);
}

TEST(ListFileFormat, EmptyPlayListIsAZeroByteFile)
{
    EXPECT_EQ(encodeListFile({}), QByteArray());
    EXPECT_EQ(decodeListFile(QByteArray()), QStringList());
}

TEST(ListFileFormat, WritingStopsAtTheFirstEmptyEntry)
{
    EXPECT_EQ(encodeListFile({"a", "b", "", "c"}), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(encodeListFile({"", "a"}), QByteArray());
}

TEST(ListFileFormat, EveryLineEndIsAcceptedAndEmptyLinesAreSkipped)
{
    const QStringList ab = {"/m/a.mid", "/m/b.wav"};
    EXPECT_EQ(decodeListFile("/m/a.mid\n/m/b.wav\n"), ab) << "LF";
    EXPECT_EQ(decodeListFile("/m/a.mid\r/m/b.wav\r"), ab) << "lone CR";
    EXPECT_EQ(decodeListFile("/m/a.mid\r\n/m/b.wav"), ab) << "last line without an end";
    EXPECT_EQ(decodeListFile("/m/a.mid\n\r/m/b.wav"), ab) << "LF CR is two ends";
    EXPECT_EQ(decodeListFile("\r\n\r\n/m/a.mid\r\n\r\n\n\r/m/b.wav\r\r\n\r\n"), ab) << "empty lines";
    EXPECT_EQ(decodeListFile("\r\n\n\r"), QStringList()) << "only line ends";
    EXPECT_EQ(decodeListFile(" \r\n\t x \r\n"), (QStringList{" ", "\t x "})) << "blanks are text";
}

// ---- encodings ----

TEST(ListFileEncoding, ShiftJisListsFromJapaneseWindowsKeepTheirPaths)
{
    // C:\音楽\ソフト\表.mid — ソ and 表 end in the byte of the backslash.
    const QByteArray bytes("C:\\\x89\xb9\x8a\x79\\\x83\x5c\x83\x74\x83\x67\\\x95\x5c.mid\r\n"
                           "D:\\\x87\x40\x81\x60.wav\r\n");
    EXPECT_EQ(decodeListFile(bytes), (QStringList{"C:\\音楽\\ソフト\\表.mid", "D:\\①～.wav"}));
}

TEST(ListFileEncoding, ByteOrderMarkSelectsUtf8AndIsNotPartOfTheFirstEntry)
{
    EXPECT_EQ(decodeListFile("\xEF\xBB\xBF/音楽/a.mid\r\n"), QStringList{"/音楽/a.mid"});
    EXPECT_EQ(decodeListFile("\xEF\xBB\xBF"), QStringList());
    EXPECT_EQ(decodeListFile("\xEF\xBB\xBF\xEF\xBB\xBF/a.mid"), QStringList{QChar(0xFEFF) + QString("/a.mid")})
        << "only the first mark is one";
    EXPECT_EQ(decodeListFile("/a.mid\r\n\xEF\xBB\xBF\xEF\xBB\xBF/b.mid"),
              (QStringList{"/a.mid", QString(2, QChar(0xFEFF)) + "/b.mid"}))
        << "marks at the start of a later line are its text, every one";
    EXPECT_EQ(decodeListFile("\xEF\xBB\xBF\x83\x5c.mid"), QStringList{u"\xDC83\\.mid"_qs})
        << "no Shift-JIS after a mark: bytes that are not UTF-8 are a name's own";
}

TEST(ListFileEncoding, NulBytesAreRefused)
{
    EXPECT_EQ(decodeListFile(QByteArray("/m/a.mid\0\r\n", 11)), std::nullopt);

    QByteArray garbage;
    QRandomGenerator random(7);
    for (int i = 0; i < 4096; ++i)
        garbage += char(random.bounded(256));
    EXPECT_EQ(decodeListFile(garbage), std::nullopt);
}

TEST(ListFileEncoding, NamesThatAreNotTextKeepTheirBytes)
{
    const struct {
        const char* what;
        QStringList entries;
        QByteArray bytes;
    } rows[] = {
        {"a Latin-1 byte", {u"/m/caf\xDCE9.wav"_qs, "/m/b.wav"}, "/m/caf\xE9.wav\r\n/m/b.wav\r\n"},
        {"a lead byte without its second byte", {u"/m/\xDC83"_qs}, "/m/\x83\r\n"},
        {"bytes that are also Shift-JIS: marked as a name's own", {u"/m/\xDC82\xDCA0.wav"_qs, "/m/b.wav"},
         "\xEF\xBB\xBF/m/\x82\xA0.wav\r\n/m/b.wav\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(encodeListFile(row.entries), row.bytes);
        EXPECT_EQ(decodeListFile(row.bytes), row.entries);
    }
}

TEST(ListFileEncoding, EntriesThatCannotBeStoredRefuseTheWholeList)
{
    EXPECT_EQ(encodeListFile({"/m/a.mid", "/m/line\nbreak.mid"}), std::nullopt);
    EXPECT_EQ(encodeListFile({"/m/a.mid", "/m/cr\r.mid"}), std::nullopt);
    EXPECT_EQ(encodeListFile({QString("/m/nul") + QChar(0)}), std::nullopt);
    EXPECT_EQ(encodeListFile({QString("/m/") + QChar(0xD800)}), std::nullopt) << "a lone surrogate";
    EXPECT_EQ(encodeListFile({QString("/m/") + QChar(0xDC7F)}), std::nullopt) << "a lone surrogate, no kept byte";
    EXPECT_EQ(encodeListFile({u"/m/\xDCC3\xDCA9"_qs}), std::nullopt) << "kept bytes that would read back as é";
    EXPECT_EQ(encodeListFile({QString(QChar(0xFEFF)) + "/m/a.mid"}), std::nullopt)
        << "would read back as a byte-order mark";
}

// ---- reading files ----

TEST(ListFileRead, FilesOverTheSizeCapAreRefused)
{
    QTemporaryDir dir;
    const QString list = dir.filePath("a.lst");
    ASSERT_TRUE(writeBytes(list, "/m/a.mid\r\n"));
    EXPECT_EQ(readListFileBytes(list, 9), std::nullopt) << "one byte over the cap";
    EXPECT_EQ(readListFileBytes(list, 10), QByteArray("/m/a.mid\r\n"));

    const QString huge = dir.filePath("huge.lst");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(200 * 1024 * 1024));  // sparse: costs no disk
    }
    EXPECT_EQ(readListFile(huge), std::nullopt);
}

TEST(ListFileRead, ALineOrAnEntryCountPastTheLimitsIsNoListFile)
{
    QTemporaryDir dir;
    const struct Row {
        const char* name;
        QByteArray bytes;
        qsizetype entries;  // -1: refused
    } rows[] = {
        {"the longest line", QByteArray(4096, 'a') + "\r\n/b\r\n", 2},
        {"one byte longer", "/b\r\n" + QByteArray(4097, 'a') + "\r\n", -1},
        {"one byte longer, at the end without a line end", "/b\n" + QByteArray(4097, 'a'), -1},
        {"2,000,001 entries", QByteArray("a\n").repeated(2'000'001), -1},
        {"empty lines are no entries", QByteArray("\r\n").repeated(2'000'001) + "a", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath("a.lst");
        ASSERT_TRUE(writeBytes(path, row.bytes));
        const std::optional<QStringList> decoded = decodeListFile(row.bytes);
        const std::optional<QStringList> read = readListFile(path);
        EXPECT_EQ(decoded ? decoded->size() : -1, row.entries);
        EXPECT_EQ(read ? read->size() : -1, row.entries);
    }
}

TEST(ListFileRead, AFileOfManyReadBuffersReadsAsItsBytesDecode)
{
    QTemporaryDir dir;
    QByteArray utf8;
    for (int i = 0; utf8.size() < 700 * 1024; ++i)  // lines and characters cut by the read buffer
        utf8 += QStringLiteral("/音楽/曲 %1.mid").arg(i).toUtf8() + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    const QByteArray shiftJis = utf8 + "\x83\x5c.mid\r\n";  // not UTF-8 only at its end: read again as Shift-JIS
    const QByteArray names = "\xEF\xBB\xBF" + shiftJis;             // read again as names' own bytes
    for (const QByteArray& bytes : {utf8, QByteArray("\xEF\xBB\xBF") + utf8, shiftJis, names}) {
        SCOPED_TRACE(bytes.size());
        const QString path = dir.filePath("a.lst");
        ASSERT_TRUE(writeBytes(path, bytes));
        const std::optional<QStringList> decoded = decodeListFile(bytes);
        EXPECT_TRUE(decoded && decoded->size() > 30000);
        EXPECT_EQ(readListFile(path), decoded);
    }
}

TEST(ListFileRead, AListWhoseOwnNameIsNotTextIsWrittenAndReadByItsBytes)
{
    QTemporaryDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/caf\xE9.lst";
    if (!testsys::writeFileWithRawName(raw, "/old.wav\r\n"))
        GTEST_SKIP() << "no such names here";
    const QString name = sys::nameFromBytes(raw);
    EXPECT_EQ(readListFile(name), QStringList{"/old.wav"});
    ASSERT_TRUE(writeListFile(name, {"/new.wav"}));
    EXPECT_EQ(readListFileBytes(name), QByteArray("/new.wav\r\n"));
    EXPECT_EQ(listFolder(dir.path()), QStringList()) << "no file of another name (Qt lists none of this one)";
}

TEST(ListFileRead, FileWithoutReadPermissionIsRefused)
{
    QTemporaryDir dir;
    const QString list = dir.filePath("secret.lst");
    ASSERT_TRUE(writeBytes(list, "/m/a.mid\r\n"));
    ASSERT_TRUE(QFile::setPermissions(list, QFileDevice::WriteOwner));
    if (QFile probe(list); probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "this user reads files regardless of their permissions";
    EXPECT_EQ(readListFile(list), std::nullopt);
}

// ---- saving ----

TEST(ListFileSave, ReplacesTheOldFileAndLeavesNoTemporaryFiles)
{
    QTemporaryDir dir;
    const QString list = dir.filePath("a.lst");
    ASSERT_TRUE(writeBytes(list, "/old/one.mid\r\n/old/two.mid\r\n"));
    ASSERT_TRUE(writeListFile(list, {"/new.wav"}));
    EXPECT_EQ(readBytes(list), "/new.wav\r\n");
    EXPECT_EQ(listFolder(dir.path()), QStringList{"a.lst"});

    EXPECT_FALSE(writeListFile(QString(), {"/new.wav"})) << "no name";
}

TEST(ListFileSave, ProcessKilledHalfWayKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString list = dir.filePath("a.lst");
    const QByteArray old = "/old/one.mid\r\n/old/two.mid\r\n";
    ASSERT_TRUE(writeBytes(list, old));
    QStringList longList;
    for (int i = 0; i < 100000; ++i)
        longList << QStringLiteral("/new/音楽/%1.mid").arg(i);

    // The writer: half of the list reaches the disk, then it is killed.
    const testsys::KilledChild writer = testsys::runKilledAtCheckpoint([&](const std::function<void()>& halfWay) {
        const ListFileWrite stopHalfWay = [&](QIODevice& file, const QByteArray& bytes) {
            const QByteArray half = bytes.left(bytes.size() / 2);
            if (file.write(half) == half.size() && static_cast<QFileDevice&>(file).flush())
                halfWay();
            return false;
        };
        writeListFile(list, longList, stopHalfWay);
    });
    if (!writer.supported)
        GTEST_SKIP() << "no child processes to kill here";

    ASSERT_TRUE(writer.reached) << "the writer never got half-way";
    EXPECT_TRUE(writer.killed);
    EXPECT_EQ(readBytes(list), old);
}

TEST(ListFileSave, EveryFailureEndsWithExactlyTheOldBytesBesideOrInPlace)
{
    QTemporaryDir dir;
    const QString folder = listsFolder(dir);
    const QString list = folder + "/a.lst";
    QStringList longer;
    for (int i = 0; i < 3000; ++i)
        longer << QStringLiteral("/music/%1.mid").arg(i);
    const QByteArray old = *encodeListFile(longer.mid(0, 300));
    const qint64 size = encodeListFile(longer)->size();
    auto failAt = [](qint64 byte) -> ListFileWrite {
        return [byte](QIODevice& file, const QByteArray& bytes) {
            file.write(bytes.left(byte));
            return false;  // the rest did not fit, or the disk failed there
        };
    };
    const struct {
        const char* what;
        QStringList entries;
        qint64 sizeLimit;  // 0: none
        ListFileWrite write;
    } rows[] = {
        {"over the size limit", longer, old.size() + 100, {}},
        {"the size limit just met: written", longer, size, {}},
        {"a full disk: half fits", longer, 0, failAt(size / 2)},
        {"a write error at the first byte", longer, 0, failAt(0)},
        {"a write error at the last byte", longer, 0, failAt(size - 1)},
        {"a shorter list, a write error at its last byte", {"/m/a.wav"}, 0, failAt(9)},
        {"an entry that cannot be stored", {"/m/a.wav", "/bad\nname"}, 0, {}},
    };
    for (const bool inPlace : {false, true}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.what) + (inPlace ? ", in place" : ", beside"));
            ASSERT_TRUE(writeBytes(list, old));
            ASSERT_TRUE(QFile::setPermissions(list, QFileDevice::Permissions(0x6666)));
            auto attempt = [&] {
                std::optional<testsys::FileSizeLimit> limit;
                if (row.sizeLimit > 0)
                    limit.emplace(row.sizeLimit);
                return writeListFile(list, row.entries, row.write);
            };
            QFile::setPermissions(folder, QFileDevice::Permissions(inPlace ? 0x5555 : 0x7755));
            const std::optional<bool> written = inPlace ? testsys::runUnprivileged(attempt) : attempt();
            QFile::setPermissions(folder, QFileDevice::Permissions(0x7755));
            if (!written)
                GTEST_SKIP() << "no unprivileged child here";
            EXPECT_EQ(readBytes(list), *written ? *encodeListFile(row.entries) : old);
            EXPECT_EQ(*written, row.sizeLimit == size);
            EXPECT_EQ(listFolder(folder), QStringList{"a.lst"});
        }
    }

    // Killed in place before its first write: the old bytes.
    QFile::setPermissions(folder, QFileDevice::Permissions(0x5555));
    const testsys::KilledChild writer = testsys::runKilledAtCheckpoint(
        [&](const std::function<void()>& beforeWriting) {
            writeListFile(list, longer, [&](QIODevice&, const QByteArray&) { return beforeWriting(), false; });
        },
        true);
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7755));
    if (!writer.supported)
        GTEST_SKIP() << "no unprivileged child to kill here";
    EXPECT_TRUE(writer.reached && writer.killed);
    EXPECT_EQ(readBytes(list), old);
}

TEST(ListFileSave, OverwritesInAReadOnlyFolderAndThroughALink)
{
    QTemporaryDir dir;
    const QString folder = listsFolder(dir);
    const QString list = folder + "/a.lst";
    ASSERT_TRUE(writeBytes(list, "/old/one.mid\r\n/old/two.mid\r\n"));
    ASSERT_TRUE(QFile::setPermissions(list, QFileDevice::Permissions(0x6666)));
    const QString link = dir.filePath("link.lst");
    ASSERT_TRUE(QFile::link(list, link));

    // Through the link: the target gets the list, the link stays a link.
    ASSERT_TRUE(writeListFile(link, {"/linked.wav"}));
    EXPECT_EQ(readBytes(list), "/linked.wav\r\n");
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    // A folder that takes no new file, holding a file that may be written.
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::Permissions(0x5555)));
    const std::optional<bool> written = testsys::runUnprivileged([&] {
        return writeListFile(list, {"/new/a.wav", "/new/b.mid"}) && writeListFile(link, {"/new/c.mp3"});
    });
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7755));
    if (!written)
        GTEST_SKIP() << "no unprivileged child here";
    EXPECT_TRUE(*written);
    EXPECT_EQ(readBytes(list), "/new/c.mp3\r\n");
    EXPECT_EQ(listFolder(folder), QStringList{"a.lst"});
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}
