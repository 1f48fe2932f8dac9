#include "FuzzEntries.h"

#include "import/Document.h"
#include "model/AttributedObservableObject.h"
#include "model/DocumentItem.h"
#include "model/Error.h"
#include "model/Project.h"
#include "persistence/ProjectManager.h"
#include "persistence/XmlSerializer.h"
#include "titles/SubtitleItemFactory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <stdexcept>

namespace
{
// The title file and the attribute file are read by name only, so their inputs go
// through a file; on a RAM disk when there is one, since a fuzz target writes one per
// input. Failing to write it is no result of the parser, so it is no EError.
QString WriteScratchFile(const QString& Name, const QByteArray& Content)
{
    static const QTemporaryDir Directory(
        (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
        + QStringLiteral("/nuvex-fuzz-XXXXXX"));
    if (!Directory.isValid())
        throw std::runtime_error("cannot create the scratch folder of the fuzz entries");
    const QString Path = Directory.filePath(Name);
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate) || File.write(Content) != Content.size())
        throw std::runtime_error("cannot write the scratch file " + Path.toStdString());
    return Path;
}

void LoadDocument(const QByteArray& Content, const QString& FileName, const QString& Password = QString())
{
    // A code page of its own, so that what an input does cannot depend on the locale
    // of the machine that replays it.
    TDocument Document(QByteArrayLiteral("GB18030"));
    Document.Load(Content, FileName, Password);
}

void PlainText(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.txt"));
}

void MicroDvd(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.sub"));
}

void Docx(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.docx"));
}

void Xlsx(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.xlsx"));
}

// The binary formats are read with the password of the encrypted inputs, which plain
// ones ignore.
void Doc(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.doc"), QStringLiteral("nuvex"));
}

void Xls(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.xls"), QStringLiteral("nuvex"));
}

// Through the workbook reader, which tries the given password and then Excel's default
// one, so both key derivations of every description are run.
void Encrypted(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.xlsx"), QStringLiteral("nuvex"));
}

// Web pages and web archives, through both readers: one line per block for Word, column
// A of the rows for Excel.
void Html(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.doc"));
    LoadDocument(Content, QStringLiteral("fuzz.xls"));
}

void Csv(const QByteArray& Content)
{
    LoadDocument(Content, QStringLiteral("fuzz.xls"));
}

void Title(const QByteArray& Content)
{
    TSubtitleItemFactory().ReadSubtitle(WriteScratchFile(QStringLiteral("fuzz.etl"), Content));
}

void Project(const QByteArray& Content)
{
    TProjectManager Manager;
    Manager.OpenProject(QStringLiteral("fuzz.nvproj"), Content);
    // Whatever the file held, the project saved from it must open again: a save that
    // cannot be read back loses the user's work.
    try
    {
        QString Saved;
        TXmlSerializer().Serialize(Manager.GetActiveProject(), QString(), Saved);
        TProjectManager().OpenProject(QStringLiteral("saved.nvproj"), Saved.toUtf8());
    }
    catch (const EError& Error)
    {
        throw std::logic_error("the saved project does not open again: " + Error.Message().toStdString());
    }
}

void Attributes(const QByteArray& Content)
{
    TAttributedObservableObject::SetAttributeFileName(WriteScratchFile(QStringLiteral("TypeAttributes.xml"), Content));
    // A new document item takes its defaults from the file; the inspector asks the
    // items it shows for their attributes.
    TDocumentItem Item;
    Item.LoadAttributes(true);
    TSubtitleItem Subtitle;
    Subtitle.GetPropertyAttribute(QStringLiteral("FontName"));
}
} // namespace

const std::vector<TFuzzEntries::TTarget>& TFuzzEntries::Targets()
{
    static const std::vector<TTarget> All{
        {"text", PlainText},
        {"microdvd", MicroDvd},
        {"docx", Docx},
        {"xlsx", Xlsx},
        {"doc", Doc},
        {"xls", Xls},
        // The content decides the format under the extension's reader, so these formats'
        // targets drive the same entries with corpora of their own.
        {"rtf", Doc},
        {"wordml2003", Doc},
        {"spreadsheetml2003", Xls},
        {"encrypted", Encrypted},
        {"html", Html},
        {"csv", Csv},
        {"title", Title},
        {"project", Project},
        {"attributes", Attributes},
    };
    return All;
}

const TFuzzEntries::TTarget* TFuzzEntries::Find(const char* Name)
{
    for (const TTarget& Target : Targets())
        if (std::strcmp(Target.Name, Name) == 0)
            return &Target;
    return nullptr;
}

bool TFuzzEntries::Run(const TTarget& Target, const QByteArray& Content)
{
    try
    {
        Target.Entry(Content);
        return true;
    }
    catch (const EError&)
    {
        return false;
    }
}
