#pragma once

#include <QString>

// Where the program's files are, without trailing separators.
//
// A build tree or a portable copy keeps everything beside the executable. An installed
// program finds its data files under <prefix>/share/nuvex-subtitle-maker and must not
// write into its program folder, so the user's folders live in the user's data folder.

// The folder of the running executable.
QString ExecutableDirectory();

// Where the attribute file and the title template are read from.
QString DataDirectory();
// The attribute file "TypeAttributes.xml" and the title template "NuvexSubtitleMaker.xml"
// in DataDirectory().
QString AttributeFilePath();
QString TemplateFilePath();

// The folder that "{AppDir}" names and whose "Projects", "Documents" and "Titles"
// folders the dialogs and the default output start in; those three are created on the
// first call when missing.
QString ApplicationDirectory();

// The user's data folder of the program, ~/.local/share/nuvex-subtitle-maker by default.
// The same as QStandardPaths::AppDataLocation for the application name both programs set,
// but known before and without an application object.
QString UserDataDirectory();

// The data folder for an executable in ExecutableDirectory: the folder itself when the
// data files lie beside it, else the installed share folder relative to it when that holds
// them, else the executable's folder (whose missing files then name the place looked at).
QString FindDataDirectory(const QString& ExecutableDirectory);

// The rule behind ApplicationDirectory(): the executable's folder only when the data files
// lie beside it and it is writable, otherwise the user's data folder.
QString ChooseApplicationDirectory(const QString& ExecutableDirectory, bool DataBesideExecutable,
                                   bool ExecutableDirectoryWritable, const QString& UserDataDirectory);
