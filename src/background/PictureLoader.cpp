#include "background/PictureLoader.h"

#include "system/BackgroundTask.h"

#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QRect>
#include <atomic>
#include <optional>

namespace {

// The JPEG decoder passes over damaged or missing scan data with a warning
// and fills the gap with grey; Qt reports such warnings in this logging
// category. While a picture is read they are caught here (and kept off the
// console) so that a damaged picture is refused instead of shown half grey.
constexpr char kJpegCategory[] = "qt.gui.imageio.jpeg";

// Catches them for the thread it was made on. The message handler is put in
// once and for good, so that loads on several threads never undo each
// other's; every other message goes on to the handler that was there before.
class DecoderWarnings {
public:
    DecoderWarnings()
    {
        static const bool installed = [] {
            s_previous.store(qInstallMessageHandler(&handle));
            return true;
        }();
        Q_UNUSED(installed);
        t_current = this;
    }
    ~DecoderWarnings() { t_current = nullptr; }
    DecoderWarnings(const DecoderWarnings&) = delete;
    DecoderWarnings& operator=(const DecoderWarnings&) = delete;

    bool damaged() const { return m_damaged; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (t_current && context.category && qstrcmp(context.category, kJpegCategory) == 0) {
            // Stray bytes between two markers are common in camera files and
            // harmless; anything else means the picture data is damaged.
            if (!message.contains(QLatin1String("extraneous bytes")))
                t_current->m_damaged = true;
            return;
        }
        if (QtMessageHandler previous = s_previous.load())
            previous(type, context, message);
    }

    static thread_local DecoderWarnings* t_current;
    static std::atomic<QtMessageHandler> s_previous;
    bool m_damaged = false;
};

thread_local DecoderWarnings* DecoderWarnings::t_current = nullptr;
std::atomic<QtMessageHandler> DecoderWarnings::s_previous{nullptr};

// The frame header of a JPEG: its size and whether its scans are
// progressive. Read from the markers, without decoding anything.
struct FrameHeader {
    QSize size;
    bool progressive = false;
};

std::optional<FrameHeader> readFrameHeader(QIODevice& file)
{
    if (file.read(2) != QByteArrayLiteral("\xFF\xD8"))
        return std::nullopt;
    for (;;) {
        char byte = 0;
        if (!file.getChar(&byte) || uchar(byte) != 0xFF)
            return std::nullopt;
        do {  // any number of fill bytes may come before a marker
            if (!file.getChar(&byte))
                return std::nullopt;
        } while (uchar(byte) == 0xFF);
        const uchar marker = uchar(byte);
        const QByteArray length = file.read(2);
        if (length.size() != 2)
            return std::nullopt;
        const int size = uchar(length[0]) << 8 | uchar(length[1]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            const QByteArray header = file.read(5);  // precision, height, width
            if (header.size() != 5)
                return std::nullopt;
            FrameHeader result;
            result.size = QSize(uchar(header[3]) << 8 | uchar(header[4]), uchar(header[1]) << 8 | uchar(header[2]));
            result.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            return result;
        }
        if (marker == 0xDA || marker == 0xD9 || size < 2 || !file.seek(file.pos() + size - 2))
            return std::nullopt;
    }
}

bool tooLarge(const QSize& size)
{
    return qint64(size.width()) * size.height() * 4 > kMaxPictureBytes;
}

} // namespace

std::optional<QImage> loadVisiblePicture(const QString& path, const QSize& visible)
{
    if (path.isEmpty())
        return QImage();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&file, QByteArrayLiteral("jpeg"));
    reader.setAutoDetectImageFormat(false);  // a JPEG or nothing
    reader.setAutoTransform(false);          // pixels as the file stores them

    DecoderWarnings warnings;
    const QSize full = reader.size();
    if (!full.isValid() || full.isEmpty() || tooLarge(full))
        return std::nullopt;

    // From the picture's top-left corner, as much as can show (at least one
    // pixel, so that a picture always has a size).
    reader.setClipRect(QRect(QPoint(0, 0), full.boundedTo(visible.expandedTo(QSize(1, 1)))));
    QImage picture = reader.read();
    if (picture.isNull() || warnings.damaged())
        return std::nullopt;
    return picture;
}

bool slowToDecode(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::optional<FrameHeader> header = readFrameHeader(file);
    return header && header->progressive
        && qint64(header->size.width()) * header->size.height() > kSlowDecodePixels && !tooLarge(header->size);
}

void loadVisiblePictureInBackground(QObject* receiver, const QString& path, const QSize& visible,
                                    std::function<void(std::optional<QImage>)> done)
{
    runInBackground(
        receiver, [path, visible] { return loadVisiblePicture(path, visible); }, std::move(done));
}
