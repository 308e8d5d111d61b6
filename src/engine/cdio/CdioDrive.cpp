// The CD drive (or a BIN/CUE image) through libcdio.
//
// One libcdio handle serves the GUI thread (eject) and the engine's reading
// threads (a track that is being replaced may still be read while the next
// one starts), so every use of the handle is serialised by one mutex.
#include "engine/cdio/CdioDrive.h"

#include "engine/cdio/CdTextPacks.h"
#include "system/FileNames.h"
#include "system/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <QtGlobal>

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/disc.h>
#include <cdio/memory.h>
#include <cdio/logging.h>

#include <chrono>
#include <mutex>

namespace {

// libcdio reports every missing drive and every odd image line on stderr;
// only real errors are worth a line.
void quietCdioLog(cdio_log_level_t level, const char message[])
{
    if (level >= CDIO_LOG_ERROR)
        qWarning("libcdio: %s", message);
}

class CdioDrive final : public CdDrive {
public:
    CdioDrive(CdIo_t* cdio, QList<Track> tracks, CdText text)
        : m_cdio(cdio), m_tracks(std::move(tracks)), m_text(std::move(text))
    {
    }
    ~CdioDrive() override
    {
        if (m_cdio)
            cdio_destroy(m_cdio);
    }

    QList<Track> tracks() const override { return m_tracks; }
    CdText cdText() const override { return m_text; }

    bool readAudioSectors(void* buffer, qint32 sector, qint32 count) override
    {
        if (count <= 0)
            return count == 0;
        std::lock_guard lock(m_mutex);
        if (!m_cdio)
            return false;
        return cdio_read_audio_sectors(m_cdio, buffer, sector, static_cast<uint32_t>(count)) == DRIVER_OP_SUCCESS;
    }

    bool eject() override
    {
        // A read of a damaged disc can hold the drive for a long time; the
        // eject gives up rather than keep its background thread (and the
        // application's end, which waits for that thread) that long.
        const std::unique_lock lock(m_mutex, kEjectPatience);
        if (!lock.owns_lock())
            return false;
        // libcdio 2.1 frees an image driver's data on eject but keeps the
        // handle, and destroying it later aborts the process: only a real
        // drive is ever asked.
        if (!m_cdio || cdio_get_driver_id(m_cdio) != DRIVER_LINUX)
            return false;
        // On success libcdio frees the handle and clears the pointer.
        return cdio_eject_media(&m_cdio) == DRIVER_OP_SUCCESS;
    }

private:
    static constexpr std::chrono::seconds kEjectPatience{2};
    std::timed_mutex m_mutex;
    CdIo_t* m_cdio = nullptr;
    const QList<Track> m_tracks;
    const CdText m_text;
};

QList<CdDrive::Track> readAudioTracks(const CdIo_t* cdio)
{
    QList<CdDrive::Track> tracks;
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK)
        return tracks;
    for (int number = first; number < first + count; ++number) {
        const auto track = static_cast<track_t>(number);
        if (cdio_get_track_format(cdio, track) != TRACK_FORMAT_AUDIO)
            continue;
        const lsn_t start = cdio_get_track_lsn(cdio, track);
        const lsn_t last = cdio_get_track_last_lsn(cdio, track);
        if (start == CDIO_INVALID_LSN || last == CDIO_INVALID_LSN || last < start)
            continue;
        tracks << CdDrive::Track{number, start, last - start + 1};
    }
    return tracks;
}

// The bytes of a small regular file; empty for anything else.
QByteArray smallFile(const QString& path, qint64 maxSize)
{
    sys::RegularFile file(path);
    if (!file.isOpen() || file.size() > maxSize)
        return {};
    QByteArray bytes(qsizetype(file.size()), Qt::Uninitialized);
    const qint64 got = file.read(bytes.data(), bytes.size());
    bytes.truncate(qsizetype(std::max<qint64>(got, 0)));
    return bytes;
}

// The CD-Text file a cue sheet names (CDTEXTFILE "name"), beside the sheet.
// The name is taken as bytes, as libcdio takes it.
QByteArray cueSheetCdText(const QString& cue)
{
    static const QByteArray keyword("CDTEXTFILE");
    for (const QByteArray& line : smallFile(cue, 64 * 1024).split('\n')) {
        const QByteArray words = line.trimmed();
        if (!words.toUpper().startsWith(keyword))
            continue;
        QByteArray name = words.mid(keyword.size()).trimmed();
        if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"'))
            name = name.mid(1, name.size() - 2);
        if (name.isEmpty())
            return {};
        // (QFileInfo and QDir only put the names together here.)
        return smallFile(QFileInfo(cue).dir().absoluteFilePath(sys::nameFromBytes(name)), kMaxCdTextBytes);
    }
    return {};
}

// The disc's CD-Text: a drive answers from the lead-in; an image has it in
// the file its cue sheet names.
CdText cdTextOf(CdIo_t* cdio, const QString& device)
{
    if (uint8_t* answer = cdio_get_cdtext_raw(cdio)) {
        // libcdio's buffer, read no further than it holds.
        CdText text = decodeDriveCdText(answer);
        cdio_free(answer);
        return text;
    }
    if (device.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        return decodeCdText(cueSheetCdText(device));
    return {};
}

} // namespace

std::unique_ptr<CdDrive> openCdioDrive(const QString& device)
{
    static std::once_flag logOnce;
    std::call_once(logOnce, [] { cdio_log_set_handler(quietCdioLog); });

    const QByteArray source = sys::bytesOfName(device);
    CdIo_t* cdio = device.isEmpty() ? cdio_open(nullptr, DRIVER_DEVICE) : cdio_open(source.constData(), DRIVER_UNKNOWN);
    if (!cdio)
        return nullptr;
    QList<CdDrive::Track> tracks = readAudioTracks(cdio);
    if (tracks.isEmpty()) {
        // No disc, or a disc without audio.
        cdio_destroy(cdio);
        return nullptr;
    }
    CdText text = cdTextOf(cdio, device);
    return std::make_unique<CdioDrive>(cdio, std::move(tracks), std::move(text));
}
