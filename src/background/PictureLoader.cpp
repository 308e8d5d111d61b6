#include "background/PictureLoader.h"

#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QRect>
#include <atomic>

namespace {

// The JPEG decoder passes over damaged or missing scan data with a warning
// and fills the gap with grey; Qt reports such warnings in this logging
// category. While a picture is read they are caught here (and kept off the
// console) so that a damaged picture is refused instead of shown half grey.
constexpr char kJpegCategory[] = "qt.gui.imageio.jpeg";

class DecoderWarnings {
public:
    DecoderWarnings()
    {
        t_current = this;
        s_previous.store(qInstallMessageHandler(&handle));
    }
    ~DecoderWarnings()
    {
        qInstallMessageHandler(s_previous.load());
        t_current = nullptr;
    }
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
