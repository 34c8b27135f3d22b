#include "shell/NoticeBrowser.h"

#include <QUrl>
#include <utility>
#include <QWidget>

#ifdef RALD_HAVE_WEBENGINE
#include <QWebEngineView>
#else
#include <QLabel>
#endif

namespace {

NoticeBrowserFactory &factorySlot()
{
    static NoticeBrowserFactory factory;
    return factory;
}

#ifdef RALD_HAVE_WEBENGINE
class WebViewBrowser : public NoticeBrowser {
public:
    explicit WebViewBrowser(QWidget *parent) : m_view(new QWebEngineView(parent))
    {
        m_view->setObjectName(QStringLiteral("EmbeddedWB1View"));
    }
    QWidget *widget() const override { return m_view; }
    void Navigate(const QString &url) override { m_view->setUrl(QUrl(url)); }

private:
    QWebEngineView *m_view;
};
#else
// Built without the web engine: the board names the page it would show.
class WebViewBrowser : public NoticeBrowser {
public:
    explicit WebViewBrowser(QWidget *parent) : m_label(new QLabel(parent))
    {
        m_label->setObjectName(QStringLiteral("EmbeddedWB1View"));
        m_label->setWordWrap(true);
    }
    QWidget *widget() const override { return m_label; }
    void Navigate(const QString &url) override { m_label->setText(url); }

private:
    QLabel *m_label;
};
#endif

} // namespace

NoticeBrowserFactory SetNoticeBrowserFactory(NoticeBrowserFactory factory)
{
    return std::exchange(factorySlot(), std::move(factory));
}

std::unique_ptr<NoticeBrowser> CreateNoticeBrowser(QWidget *parent)
{
    if (const NoticeBrowserFactory &factory = factorySlot())
        return factory(parent);
    return std::make_unique<WebViewBrowser>(parent);
}
