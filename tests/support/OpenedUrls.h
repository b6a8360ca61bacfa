#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

namespace testing_support {

// Catches what would be opened in the desktop's applications
// (install with QDesktopServices::setUrlHandler(scheme, &opened, "open")).
class OpenedUrls final : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

}  // namespace testing_support
