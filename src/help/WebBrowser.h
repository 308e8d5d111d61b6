#pragma once
// WB: the web browser control of the help window. It hosts a Qt WebEngine
// view and loads whatever address it is told to.
//
// The web engine (a separate Chromium process) is started by the first view
// that is made, so the view is made only when the help window is, never at
// program start-up. Before the first view the process is prepared for the
// engine: see prepareWebEngine() in WebBrowser.cpp.

#include <QStringList>
#include <QUrl>
#include <QWidget>


class WebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    // Loads the address: a local path as a file, any other text as it is.
    void Navigate(const QString& address);

    // Every address this control was told to load, oldest first, and the last.
    const QStringList& requests() const { return m_requests; }
    QString lastAddress() const { return m_requests.isEmpty() ? QString() : m_requests.last(); }

    // The address the view shows (empty before the first load, or when pages
    // are not loaded).
    QUrl url() const;
    // The web view (a QWebEngineView), or nullptr when pages are not loaded.
    QWidget* view() const { return m_view; }

    // Whether controls made from now on load pages (the default) or only
    // record the addresses they are given. Tests of the windows switch it off
    // so that no engine process is started for them.
    static void setLoadPages(bool load);
    static bool loadPages();

private:
    QWidget* m_view = nullptr;
    QStringList m_requests;
};
