#pragma once
// WB: the web browser control of the help window. It hosts a web view and
// loads whatever address it is told to.
//
// The view is made by the maker the control is given (the program's loads
// the web engine's library; see help/webview/WebViewLibrary.h), so the engine
// starts only when the help window is first made, never at start-up.

#include "app/Platform.h"

#include <QStringList>
#include <QUrl>
#include <QWidget>

class WebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit WebBrowser(const WebViewMaker& makeView, QWidget* parent = nullptr);
    ~WebBrowser() override;

    // Loads the address: a local path as a file, any other text as it is.
    void Navigate(const QString& address);

    // Every address this control was told to load, oldest first, and the last.
    const QStringList& requests() const { return m_requests; }
    QString lastAddress() const { return m_requests.isEmpty() ? QString() : m_requests.last(); }

    // The address the view shows (empty before the first load, or when no
    // view could be made).
    QUrl url() const;
    // The web view, or nullptr when none could be made.
    QWidget* view() const { return m_view; }

private:
    QWidget* m_view = nullptr;
    QStringList m_requests;
};
