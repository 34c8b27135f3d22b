#pragma once
// The web browser of the sign-in screen's notice board, behind a small
// interface: the running program shows pages in a QWebEngineView (as root
// the process needs QTWEBENGINE_DISABLE_SANDBOX=1 set before the application
// object); tests install a factory that records the addresses instead.

#include <QString>

#include <functional>
#include <memory>

class QWidget;

class NoticeBrowser {
public:
    virtual ~NoticeBrowser() = default;
    // The widget that shows the pages (owned by the parent it was created with).
    virtual QWidget *widget() const = 0;
    virtual void Navigate(const QString &url) = 0;
};

using NoticeBrowserFactory = std::function<std::unique_ptr<NoticeBrowser>(QWidget *parent)>;

// Replaces the factory (an empty one restores the web view); returns the previous.
NoticeBrowserFactory SetNoticeBrowserFactory(NoticeBrowserFactory factory);
// A browser from the installed factory, else the web view.
std::unique_ptr<NoticeBrowser> CreateNoticeBrowser(QWidget *parent);
