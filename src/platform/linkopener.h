#pragma once

#include <QUrl>

// Opens a web address in the user's browser, without waiting; a failure is not reported.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual void open(const QUrl& url) = 0;
};

class DesktopLinkOpener : public LinkOpener {
public:
    void open(const QUrl& url) override;
};
