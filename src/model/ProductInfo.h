#pragma once

#include <QString>

// The product's name and version, shown in captions, message boxes and --version.
class TProductInfo
{
public:
    static QString Name();
    static QString Version();
    // The application title: name and version, for example "Nuvex 字幕机 1.0".
    static QString Title();
    // The maker's legal notice, two lines joined by a line feed.
    static QString LegalNotice();
    // Where users find help and where their feedback goes.
    static QString SupportUrl();
    static QString FeedbackAddress();
    // The name of the installed files and of the user's data folder: launcher, icon,
    // share folder and ~/.local/share/<name>. Both programs use it as application name.
    static QString MachineName();
};
