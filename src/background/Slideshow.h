#pragma once
// The background pictures' rules, apart from any window: which file a timer
// tick shows, where the walk through the program folder goes next, and the
// cycle of built-in pictures that a click on the picture steps through.

#include <QString>
#include <QtGlobal>

namespace slideshow {

// The picture-list index that the tick after this one shows: the next entry,
// and the first again once the end of the list (count entries) is reached.
// The index is a 16-bit number; a list longer than it can count starts over
// from the first entry as well.
qint16 nextSlideNo(qint16 slideNo, int count);

// Whether a file belongs to the standard set: every file except the two
// named exactly "Girl.jpg" and "Girl2.jpg" (case counts, so "girl.jpg" is in).
bool inStandardSet(const QString& name);

// Whether a tick shows the file of this name, with the full set active or
// the standard set.
bool tickShows(const QString& name, bool fullSetActive);

// Number of built-in pictures; they are numbered 1 to kBuiltInCount.
constexpr int kBuiltInCount = 8;

// The file name of built-in picture pictureNo, or empty for any number
// outside 1..8 (no picture: the background is cleared).
QString builtInPicture(int pictureNo);

// The number that follows pictureNo in the click cycle: 1, 2, ..., 8, then 0
// (an empty background), then 1 again.
int nextPictureNo(int pictureNo);

} // namespace slideshow
