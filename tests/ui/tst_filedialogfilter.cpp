#include "ui/FileDialogFilter.h"

#include <QTest>

// The dialogs list a file only when a pattern of the chosen filter matches it, so the
// patterns must come out as Qt reads them.
class TestFileDialogFilter : public QObject
{
    Q_OBJECT

private slots:
    void nameFilters_data()
    {
        QTest::addColumn<QString>("Filter");
        QTest::addColumn<QStringList>("Expected");
        QTest::newRow("projects") << QStringLiteral("Nuvex 字幕项目(*.nvproj)|*.nvproj|所有文件 (*.*)|*.*")
                                  << QStringList{"Nuvex 字幕项目 (*.nvproj)", "所有文件 (*)"};
        QTest::newRow("several patterns") << QStringLiteral("Microsoft Word 文件 (*.docx;*.doc)|*.docx;*.doc")
                                          << QStringList{"Microsoft Word 文件 (*.docx *.doc)"};
        QTest::newRow("description without patterns") << QStringLiteral("SUB Subtitles|*.sub")
                                                      << QStringList{"SUB Subtitles (*.sub)"};
    }

    void nameFilters()
    {
        QFETCH(QString, Filter);
        QFETCH(QStringList, Expected);
        QCOMPARE(TFileDialogFilter::NameFilters(Filter), Expected);
    }
};

QTEST_GUILESS_MAIN(TestFileDialogFilter)
#include "tst_filedialogfilter.moc"
