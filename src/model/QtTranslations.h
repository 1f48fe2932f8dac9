#pragma once

// Qt's own texts in Chinese: the file, colour and folder dialogs, message box buttons and
// the command-line parser's standard options. The interface is Chinese whatever the
// system's language, so Chinese is loaded always; the locale itself stays the user's,
// because title files write numbers with the user's decimal separator.
class TQtTranslations
{
public:
    // Installs qtbase_zh_CN from Qt's translations folder on the application object, which
    // must exist. Returns false, leaving Qt's English texts, when the translation is missing.
    static bool Install();
};
