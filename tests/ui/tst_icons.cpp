#include "ui/Icons.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TRole = TIcons::TRole;

const QList<TRole> AllRoles{TRole::NewProject,   TRole::OpenProject,    TRole::SaveProject, TRole::OpenDocument,
                            TRole::AddDocument,  TRole::RemoveDocument, TRole::PreviousTitle, TRole::NextTitle,
                            TRole::Start,        TRole::Stop,           TRole::OpenSubtitle, TRole::Explore,
                            TRole::SaveAll,      TRole::Application};

QImage Picture(TRole Role, int Size)
{
    return TIcons::Icon(Role).pixmap(QSize(Size, Size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& Image)
{
    int Count = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            Count += qAlpha(Image.pixel(X, Y)) > 128 ? 1 : 0;
    return Count;
}

} // namespace

Q_DECLARE_METATYPE(TIcons::TRole)

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A desktop without an icon theme: the only search path holds no theme.
        QVERIFY(FNoThemes.isValid());
        QIcon::setThemeSearchPaths({FNoThemes.path()});
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName(QString());
    }

    void everyRoleHasAVisiblePicture_data()
    {
        QTest::addColumn<TRole>("Role");
        QTest::addColumn<int>("Size");
        for (const TRole Role : AllRoles)
            for (const int Size : {16, 48})
                QTest::addRow("role %d at %d px", int(Role), Size) << Role << Size;
    }

    void everyRoleHasAVisiblePicture()
    {
        QFETCH(TRole, Role);
        QFETCH(int, Size);
        QVERIFY(!TIcons::Icon(Role).isNull());
        const QImage Image = Picture(Role, Size);
        QCOMPARE(Image.size(), QSize(Size, Size));
        // A recognisable picture covers a good part of its square, not a dot or a blank.
        QVERIFY2(OpaquePixels(Image) >= Size * Size / 5, qPrintable(QString::number(OpaquePixels(Image))));
    }

    void rolesHaveTheirOwnPictures()
    {
        // Two roles showing the same picture would mean a name mixed up in the mapping.
        for (int First = 0; First < AllRoles.size(); ++First)
            for (int Second = First + 1; Second < AllRoles.size(); ++Second)
                QVERIFY2(Picture(AllRoles[First], 16) != Picture(AllRoles[Second], 16),
                         qPrintable(QStringLiteral("roles %1 and %2").arg(int(AllRoles[First])).arg(int(AllRoles[Second]))));
    }

    void themePictureComesFirst()
    {
        QTemporaryDir Themes;
        QVERIFY(QDir().mkpath(Themes.filePath("probe/scalable")));
        QFile Index(Themes.filePath("probe/index.theme"));
        QVERIFY(Index.open(QIODevice::WriteOnly));
        Index.write("[Icon Theme]\nName=Probe\nDirectories=scalable\n\n"
                    "[scalable]\nSize=16\nMinSize=8\nMaxSize=256\nType=Scalable\n");
        Index.close();
        QFile Picture(Themes.filePath("probe/scalable/document-new.svg"));
        QVERIFY(Picture.open(QIODevice::WriteOnly));
        Picture.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
                      "<rect width=\"16\" height=\"16\" fill=\"#ff0000\"/></svg>");
        Picture.close();

        QIcon::setThemeSearchPaths({Themes.path()});
        QIcon::setThemeName(QStringLiteral("probe"));
        const QImage Themed = ::Picture(TRole::NewProject, 16);
        const QImage Fallback = ::Picture(TRole::OpenProject, 16);
        QIcon::setThemeSearchPaths({FNoThemes.path()});
        QIcon::setThemeName(QString());

        QCOMPARE(QColor(Themed.pixel(8, 8)), QColor(Qt::red));
        // A name the theme lacks still gets our own picture.
        QCOMPARE(Fallback, ::Picture(TRole::OpenProject, 16));
    }

private:
    QTemporaryDir FNoThemes;
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
