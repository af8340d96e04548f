#include <QtTest>

#include "FuzzTargets.h"

// What the fuzzers found, replayed: every input that once broke a reader
// (a crash, a failed check or more than a second) is kept in
// tests/fuzz/data/<reader>/, and the seeds of fuzz/seeds/<reader>/ are run
// too. Each must pass through its reader with everything holding.
class TestFuzzRegressions : public QObject
{
    Q_OBJECT
private:
    static QStringList folders(const QString& reader)
    {
        return {QStringLiteral(VSM_SOURCE_DIR "/tests/fuzz/data/") + reader,
                QStringLiteral(VSM_SOURCE_DIR "/fuzz/seeds/") + reader};
    }

private slots:
    void initTestCase() { FuzzTargets::initialise(); }

    void every_reader_has_seeds()
    {
        for (const QString& reader : FuzzTargets::names()) {
            QVERIFY2(FuzzTargets::entry(reader), qPrintable(reader));
            QVERIFY2(!QDir(folders(reader).last()).entryList(QDir::Files).isEmpty(), qPrintable(reader));
        }
    }

    void every_finding_and_seed_passes_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("file");
        for (const QString& reader : FuzzTargets::names()) {
            for (const QString& folder : folders(reader)) {
                for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
                    QTest::newRow(qPrintable(reader + QLatin1Char('/') + file.fileName())) << reader << file.filePath();
            }
        }
    }
    void every_finding_and_seed_passes()
    {
        QFETCH(QString, reader);
        QFETCH(QString, file);
        QFile input(file);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const QString failure = FuzzTargets::entry(reader)(input.readAll());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_FuzzRegressions.moc"
