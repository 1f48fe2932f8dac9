#include "GenerateCommand.h"
#include "LinesCommand.h"
#include "NewProjectCommand.h"

#include "model/Error.h"
#include "model/ProductInfo.h"
#include "model/QtTranslations.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const Usage =
    "命令：\n"
    "  new PROJECT.nvproj DOCUMENT... [--set 属性=值]...\n"
    "      新建项目：每个文档一个条目，先取属性文件的默认值，再依次应用 --set。\n"
    "  generate PROJECT.nvproj\n"
    "      生成项目中所有文档的字幕文件，并把生成记录保存到项目中。Ctrl+C 停止。\n"
    "  lines DOCUMENT [--password 密码]\n"
    "      按行输出文档读取后得到的字幕行（UTF-8）。\n";

int Fail(const QString& Message)
{
    std::fprintf(stderr, "%s\n", qUtf8Printable(Message));
    return 1;
}

// Without a login session (cron, ssh, containers) there is no runtime folder; Qt then
// uses a private folder under the temporary folder but warns about it on every run,
// which would clutter a batch tool's error output. The tool names that folder itself.
void EnsureRuntimeDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    // The folder Qt would choose, so that both ways end in the same place.
    const passwd* User = ::getpwuid(::getuid());
    const QByteArray UserName = User ? QByteArray(User->pw_name) : QByteArray::number(::getuid());
    const QByteArray Directory = QFile::encodeName(QDir::tempPath()) + "/runtime-" + UserName;
    ::mkdir(Directory.constData(), 0700); // an existing folder is checked by Qt, which warns when it is unsafe
    qputenv("XDG_RUNTIME_DIR", Directory);
}

} // namespace

int main(int argc, char* argv[])
{
    // Text is measured with the offscreen platform, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    EnsureRuntimeDirectory();
    QGuiApplication Application(argc, argv);
    // Before the parser's standard options are made, so that they speak Chinese too.
    TQtTranslations::Install();
    // The same names as the application's, so that both share the user's data folder.
    QGuiApplication::setApplicationName(TProductInfo::MachineName());
    QGuiApplication::setApplicationVersion(TProductInfo::Version());
    QGuiApplication::setApplicationDisplayName(TProductInfo::Title());

    QCommandLineParser Parser;
    Parser.setApplicationDescription(TProductInfo::Title() + QStringLiteral(" — 批量生成字幕文件\n\n") + QString::fromUtf8(Usage));
    Parser.addHelpOption();
    Parser.addVersionOption();
    Parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("new、generate 或 lines"));
    const QCommandLineOption SetOption(QStringLiteral("set"), QStringLiteral("设置文档条目的属性（可重复）。"),
                                       QStringLiteral("属性=值"));
    const QCommandLineOption PasswordOption(QStringLiteral("password"), QStringLiteral("文档的打开密码。"),
                                            QStringLiteral("密码"));
    Parser.addOption(SetOption);
    Parser.addOption(PasswordOption);
    Parser.process(Application);

    const QStringList Arguments = Parser.positionalArguments();
    const QString Command = Arguments.value(0);
    try {
        if (Command == QLatin1String("new") && Arguments.size() >= 3) {
            TNewProjectCommand(Arguments[1], Arguments.mid(2), Parser.values(SetOption)).Run();
            return 0;
        }
        if (Command == QLatin1String("generate") && Arguments.size() == 2 && !Parser.isSet(SetOption))
            return TGenerateCommand(Arguments[1]).Run();
        if (Command == QLatin1String("lines") && Arguments.size() == 2) {
            TLinesCommand(Arguments[1], Parser.value(PasswordOption)).Run(stdout);
            return 0;
        }
    } catch (const EError& Error) {
        return Fail(Error.Message());
    } catch (const std::exception& Error) {
        return Fail(QString::fromLocal8Bit(Error.what()));
    }
    std::fprintf(stderr, "%s\n", qUtf8Printable(Parser.helpText()));
    return 1;
}
