#include "AtomicFile.h"

#include "model/FileMessage.h"
#include "model/OSError.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace
{
// Owns a file being written until it has been renamed onto its target or kept.
class TTemporaryFile
{
public:
    explicit TTemporaryFile(const QString& Target)
    {
        for (int Attempt = 0; Attempt < 100; ++Attempt) {
            // A short name of its own, so that a target name near the length limit still
            // leaves room for it.
            const QString Candidate = Target.left(Target.lastIndexOf(QLatin1Char('/')) + 1)
                                    + QStringLiteral(".nuvex-%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            const QByteArray Encoded = QFile::encodeName(Candidate);
            // 0666 lets the umask decide, as for any file the user creates.
            FDescriptor = ::open(Encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (FDescriptor >= 0) {
                FName = Encoded;
                return;
            }
            if (errno != EEXIST)
                return;
        }
    }

    // Adopts a file that is already open; it is removed unless kept.
    TTemporaryFile(int Descriptor, QByteArray Name)
        : FDescriptor(Descriptor)
        , FName(std::move(Name))
    {
    }

    ~TTemporaryFile()
    {
        if (FDescriptor >= 0)
            ::close(FDescriptor);
        if (!FName.isEmpty())
            ::unlink(FName.constData());
    }

    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    bool IsOpen() const { return FDescriptor >= 0; }

    bool WriteAll(const QByteArray& Data)
    {
        const char* Position = Data.constData();
        qsizetype Left = Data.size();
        while (Left > 0) {
            const ssize_t Written = ::write(FDescriptor, Position, size_t(Left));
            if (Written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            Position += Written;
            Left -= Written;
        }
        return true;
    }

    bool Close()
    {
        const int Result = ::close(FDescriptor);
        FDescriptor = -1;
        return Result == 0;
    }

    void Keep() { FName.clear(); }

    bool RenameTo(const QByteArray& Target)
    {
        if (::rename(FName.constData(), Target.constData()) != 0)
            return false;
        FName.clear();
        return true;
    }

private:
    int FDescriptor = -1;
    QByteArray FName;
};

[[noreturn]] void Fail(const QString& FileName, int Error)
{
    throw EOSError(TFileMessage::CannotWrite(FileName, qt_error_string(Error)));
}
} // namespace

void TAtomicFile::Write(const QString& FileName, const QByteArray& Data)
{
    if (FileName.isEmpty())
        Fail(FileName, ENOENT);
    const QByteArray Target = QFile::encodeName(FileName);

    // A new file has no old content to protect: it is written in place, which saves
    // the rename, and removed again if the write fails. O_EXCL makes sure that a file
    // appearing meanwhile is not overwritten this way.
    const int Descriptor = ::open(Target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (Descriptor >= 0) {
        TTemporaryFile Fresh(Descriptor, Target);
        if (!Fresh.WriteAll(Data) || !Fresh.Close())
            Fail(FileName, errno);
        Fresh.Keep();
        return;
    }
    if (errno != EEXIST)
        Fail(FileName, errno);

    TTemporaryFile Temporary(FileName);
    if (!Temporary.IsOpen())
        Fail(FileName, errno);
    if (!Temporary.WriteAll(Data))
        Fail(FileName, errno);
    if (!Temporary.Close())
        Fail(FileName, errno);
    if (!Temporary.RenameTo(Target))
        Fail(FileName, errno);
}
