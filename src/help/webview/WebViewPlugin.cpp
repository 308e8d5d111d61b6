// The web view of the help window, in a library of its own that the program
// loads only when the help window is first opened. Linking the web engine
// into the program itself would load it, and with it an OpenGL context, at
// every start-up, tripling the idle program's memory.
#include <QWebEngineView>
#include <QtGlobal>

extern "C" Q_DECL_EXPORT QWidget* sorvan_create_web_view(QWidget* parent)
{
    return new QWebEngineView(parent);
}
