// Writes the program's icon as PNG files for the desktop's icon theme:
//   MakeIcons <folder> <size>...
// gives <folder>/<size>x<size>/apps/sorvan.png for every size. The picture
// is the one the program's windows carry.
#include "art/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
        return 2;
    }
    // Drawing needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "MakeIcons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString path = dir + QStringLiteral("/sorvan.png");
        if (!QDir().mkpath(dir) || !art::appIconImage(size).save(path, "PNG")) {
            std::fprintf(stderr, "MakeIcons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
