#include "background/Slideshow.h"

#include <array>
#include <limits>

namespace slideshow {

qint16 nextSlideNo(qint16 slideNo, int count)
{
    const int next = slideNo + 1;
    if (next >= count || next > std::numeric_limits<qint16>::max())
        return 0;
    return static_cast<qint16>(next);
}

bool inStandardSet(const QString& name)
{
    return name != QLatin1String("Girl2.jpg") && name != QLatin1String("Girl.jpg");
}

bool tickShows(const QString& name, bool fullSetActive)
{
    return fullSetActive || inStandardSet(name);
}

QString builtInPicture(int pictureNo)
{
    static const std::array<const char16_t*, kBuiltInCount> names = {
        u"コスモス.jpg", u"吾妻山.jpg", u"LumoNight.jpg", u"ZazidU.jpg",
        u"秋田の泥湯.jpg", u"Rose.jpg", u"Girl.jpg", u"Girl2.jpg",
    };
    if (pictureNo < 1 || pictureNo > kBuiltInCount)
        return {};
    return QString::fromUtf16(names[pictureNo - 1]);
}

int nextPictureNo(int pictureNo)
{
    const int next = pictureNo + 1;
    return next > kBuiltInCount ? 0 : next;
}

} // namespace slideshow
