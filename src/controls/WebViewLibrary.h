#pragma once
// The help window's web view comes from a library of its own
// (sorvan_webview), loaded from a folder only when the first view is made:
// linking the web engine into the program would start it, and with it an
// OpenGL context, at every start-up.

#include <QString>
#include <functional>

class QWidget;

// Makes a web view (a QWebEngineView with a "url" property) inside parent,
// or returns nullptr when none can be made.
using WebViewMaker = std::function<QWidget*(QWidget* parent)>;

// The maker of the library in folder. The first view prepares the process for
// the web engine and loads the library; later views reuse it.
WebViewMaker webViewLibrary(const QString& folder);
