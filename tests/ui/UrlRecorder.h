#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Takes the URLs that would go to the desktop, once set as its URL handler:
// QDesktopServices::setUrlHandler(scheme, &Recorder, "openUrl").
class TUrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> Urls;

public slots:
    void openUrl(const QUrl& Url) { Urls.append(Url); }
};
