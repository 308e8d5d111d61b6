// The background picture: the timer's slideshow through the program folder's
// JPEG files, the click cycle of the built-in pictures, and the choice of
// picture set under "背景表示". The active set is not kept anywhere but in
// the menu: the disabled item of the three is the current choice.
#include "app/frmMain.h"

#include "background/PictureLoader.h"
#include "background/Slideshow.h"
#include "controls/forms/ClickableFrame.h"
#include "controls/forms/FileListBox.h"
#include "controls/forms/ListBox.h"
#include "controls/forms/Timer.h"

#include <QAction>
#include <QPixmap>
#include <memory>

namespace {

constexpr int kSlideInterval = 10000;  // ms between two slideshow steps

// The full set is active exactly while "標準画像" can be chosen.
bool fullSetActive(const frmMain& form)
{
    return form.mnuSetDft->isEnabled();
}

// What of a picture can be seen: Image1 keeps its top-left corner inside
// Picture1, and Picture1 cuts off the rest.
QSize visibleArea(const frmMain& form)
{
    const QPoint corner = form.Image1->pos();
    return {form.Picture1->width() - corner.x(), form.Picture1->height() - corner.y()};
}

// Every picture put into Image1, and every picture sent to be decoded in the
// background, takes the next request number. A picture decoded in the
// background is shown only while its number is still the latest, so it never
// covers a picture shown (or asked for) after it.
constexpr char kLatestRequest[] = "backgroundPictureRequest";

quint64 newRequest(QWidget* image)
{
    const quint64 request = image->property(kLatestRequest).toULongLong() + 1;
    image->setProperty(kLatestRequest, request);
    return request;
}

bool isLatestRequest(const QWidget* image, quint64 request)
{
    return image->property(kLatestRequest).toULongLong() == request;
}

// Image1 takes the picture at its own size, no stretching. It is only as
// large as the part that shows. An empty picture clears it; it then keeps
// its place and size, so the picture area still takes clicks.
void setPicture(frmMain& form, const QImage& picture)
{
    newRequest(form.Image1);
    if (picture.isNull()) {
        form.Image1->clear();
        return;
    }
    form.Image1->setPixmap(QPixmap::fromImage(picture));
    form.Image1->resize(picture.size());
}

// Decodes the picture on a worker thread and shows it when it is ready; the
// current picture stays until then, and stays for good if it fails.
void loadInBackground(frmMain& form, const QString& path)
{
    ClickableLabel* image = form.Image1;
    const quint64 request = newRequest(image);
    loadVisiblePictureInBackground(image, path, visibleArea(form),
                                   [&form, image, request](const std::optional<QImage>& picture) {
                                       if (picture && isLatestRequest(image, request))
                                           setPicture(form, *picture);
                                   });
}

// Loads the picture at path into Image1 (an empty path clears it). A file
// that cannot be loaded leaves the current picture where it is. A picture
// that would hold up the window is decoded in the background.
void loadPicture(frmMain& form, const QString& path)
{
    if (slowToDecode(path))
        loadInBackground(form, path);
    else if (const std::optional<QImage> picture = loadVisiblePicture(path, visibleArea(form)))
        setPicture(form, *picture);
}

// The full path of built-in picture pictureNo, empty for no picture.
QString builtInPicturePath(const frmMain& form, int pictureNo)
{
    const QString name = slideshow::builtInPicture(pictureNo);
    return name.isEmpty() ? QString() : form.MyPath() + name;
}

} // namespace

void frmMain::Timer1_Timer()
{
    const int count = List3->ListCount();
    const QString path = List3->List(SlideNo);
    const QString name = File1->List(SlideNo);
    if (slideshow::tickShows(name, fullSetActive(*this)))
        loadPicture(*this, path);
    SlideNo = slideshow::nextSlideNo(SlideNo, count);
}

void frmMain::Image1_Click()
{
    loadPicture(*this, builtInPicturePath(*this, PictureNo));
    PictureNo = slideshow::nextPictureNo(PictureNo);
}

void frmMain::mnuSetJpg_Click()
{
    Timer1->setEnabled(true);
    Timer1->setInterval(kSlideInterval);
    mnuSetJpg->setEnabled(false);
    mnuSetNo->setEnabled(true);
    mnuSetDft->setEnabled(true);
}

void frmMain::mnuSetDft_Click()
{
    Timer1->setEnabled(true);
    Timer1->setInterval(kSlideInterval);
    mnuSetJpg->setEnabled(true);
    mnuSetNo->setEnabled(true);
    mnuSetDft->setEnabled(false);
}

void frmMain::mnuSetNo_Click()
{
    Timer1->setEnabled(false);
    Timer1->setInterval(0);
    mnuSetNo->setEnabled(false);
    mnuSetJpg->setEnabled(true);
    setPicture(*this, QImage());
}
