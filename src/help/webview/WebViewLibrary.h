#pragma once
// The help window's web view comes from a library of its own
// (sorvan_webview), loaded from a folder only when the first view is made:
// linking the web engine into the program would start it, and with it an
// OpenGL context, at every start-up.

#include <QString>
#include <functional>

class QWidget;

// The maker of the library in folder. The first view prepares the process for
// the web engine and loads the library; later views reuse it.
// Its views are QWebEngineViews with a "url" property; nullptr when none
// can be made.
std::function<QWidget*(QWidget* parent)> webViewLibrary(const QString& folder);
