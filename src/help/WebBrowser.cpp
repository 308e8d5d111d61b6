#include "help/WebBrowser.h"

#include "help/WebAddress.h"

#include <QLabel>
#include <QVBoxLayout>

WebBrowser::WebBrowser(const WebViewMaker& makeView, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = makeView ? makeView(this) : nullptr;
    if (m_view) {
        m_view->setObjectName(QStringLiteral("WBView"));
        layout->addWidget(m_view);
    } else {
        auto* missing = new QLabel(QStringLiteral("ヘルプを表示する部品 (sorvan_webview) が見つかりません。"), this);
        missing->setAlignment(Qt::AlignCenter);
        layout->addWidget(missing);
    }
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::Navigate(const QString& address)
{
    m_requests << address;
    if (m_view)
        m_view->setProperty("url", help::addressFor(address));
}

QUrl WebBrowser::url() const
{
    return m_view ? m_view->property("url").toUrl() : QUrl();
}
