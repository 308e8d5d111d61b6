// The web view of the help window, in a library of its own that the program
// loads only when the help window is first opened. Linking the web engine
// into the program itself would load it, and with it an OpenGL context, at
// every start-up, tripling the idle program's memory.
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtGlobal>

extern "C" Q_DECL_EXPORT QWidget* sorvan_create_web_view(QWidget* parent)
{
    auto* view = new QWebEngineView(parent);
    // A local page shows the pictures beside it, but its scripts may not
    // read other local files.
    view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    return view;
}
