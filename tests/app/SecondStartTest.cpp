// A second start of the real program hands its photos to the one already
// running on the same salon folder and ends; programs on other salon folders,
// or told to stay apart, run on their own. Each program is a separate
// process, as when photos are double-clicked in a file manager.
#include "SingleInstance.h"
#include "TestSalon.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class SecondStartTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_reports;

    QString reportPath(const QString &name) const { return m_reports.filePath(name); }

    static QString report(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).trimmed() : QString();
    }

    // Waits until the program has written `count` open compositions.
    static bool waitForReport(const QString &path, const QString &count, QProcess &program, int ms = 60000)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            if (report(path) == count)
                return true;
            if (program.state() == QProcess::NotRunning)
                return report(path) == count;
            QTest::qWait(50);
        }
        return false;
    }

    /** Starts the program on `salon` with `photos`; with `reportFile` it
     *  reports its compositions there and ends at `quitAt`. */
    void start(QProcess &program, const TestSalon &salon, const QStringList &photos,
               const QString &reportFile = {}, int quitAt = 0, bool apart = false)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("QUENDA_SINGLE_INSTANCE"));
        env.remove(QStringLiteral("QUENDA_REPORT_COMPOSITIONS"));
        env.remove(QStringLiteral("QUENDA_QUIT_AT"));
        if (!reportFile.isEmpty()) {
            env.insert(QStringLiteral("QUENDA_REPORT_COMPOSITIONS"), reportFile);
            env.insert(QStringLiteral("QUENDA_QUIT_AT"), QString::number(quitAt));
        }
        if (apart)
            env.insert(QStringLiteral("QUENDA_SINGLE_INSTANCE"), QStringLiteral("0"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(QUENDA_PROGRAM),
                      QStringList{QStringLiteral("--home"), salon.AppDir()} + photos);
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    }

    static void finish(QProcess &program)
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(10000);
        }
    }

private slots:
    void initTestCase() { QVERIFY(m_reports.isValid()); }

    void secondStartHandsItsPhotosOverAndEnds()
    {
        TestSalon salon;
        QVERIFY(salon.IsValid());
        const QString file = reportPath(QStringLiteral("first"));
        QProcess first, second;
        start(first, salon, {salon.PhotoPath()}, file, 3);
        QVERIFY2(waitForReport(file, QStringLiteral("1"), first), qPrintable(report(file)));

        // Two photos at once, as a file manager passes a selection.
        start(second, salon, {salon.PhotoPath(), salon.PhotoPath()});
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);

        // The first program now holds three compositions and ends by itself.
        const bool done = first.waitForFinished(60000);
        const QString seen = report(file);
        finish(first);
        QVERIFY2(done, qPrintable(seen));
        QCOMPARE(seen, QStringLiteral("3"));
        QCOMPARE(first.exitCode(), 0);
    }

    void otherSalonFolderOrStayingApartRunsItsOwnProgram()
    {
        TestSalon salon, other;
        const QString file = reportPath(QStringLiteral("running"));
        QProcess running;
        start(running, salon, {salon.PhotoPath()}, file, 2);
        QVERIFY2(waitForReport(file, QStringLiteral("1"), running), qPrintable(report(file)));

        // Another salon folder: its own window, with its own composition.
        const QString otherFile = reportPath(QStringLiteral("other"));
        QProcess elsewhere;
        start(elsewhere, other, {other.PhotoPath()}, otherFile, 1);
        QVERIFY(elsewhere.waitForFinished(60000));
        QCOMPARE(report(otherFile), QStringLiteral("1"));

        // The same folder, told to stay apart.
        const QString apartFile = reportPath(QStringLiteral("apart"));
        QProcess apart;
        start(apart, salon, {salon.PhotoPath()}, apartFile, 1, true);
        QVERIFY(apart.waitForFinished(60000));
        QCOMPARE(report(apartFile), QStringLiteral("1"));

        // Neither reached the running program, which still takes a photo
        // from its own folder and then ends normally.
        QTest::qWait(300);
        QCOMPARE(report(file), QStringLiteral("1"));
        QCOMPARE(running.state(), QProcess::Running);
        QProcess last;
        start(last, salon, {salon.PhotoPath()});
        QVERIFY(last.waitForFinished(30000));
        const bool done = running.waitForFinished(60000);
        finish(running);
        QVERIFY(done);
        QCOMPARE(report(file), QStringLiteral("2"));
    }

    void programThatDiedDoesNotCatchTheNextStart()
    {
        TestSalon salon;
        const QString file = reportPath(QStringLiteral("dies"));
        QProcess dies;
        start(dies, salon, {}, file, 99);
        QVERIFY(waitForReport(file, QStringLiteral("0"), dies));
        // Killed: its socket file stays behind.
        dies.kill();
        QVERIFY(dies.waitForFinished(10000));

        const QString nextFile = reportPath(QStringLiteral("next"));
        QProcess next;
        start(next, salon, {salon.PhotoPath()}, nextFile, 1);
        const bool done = next.waitForFinished(60000);
        finish(next);
        QVERIFY(done);
        QCOMPARE(report(nextFile), QStringLiteral("1"));
        QCOMPARE(next.exitCode(), 0);
    }

    void serverNameTellsUsersAndFoldersApart()
    {
        TestSalon a, b;
        QCOMPARE(SingleInstance::ServerName(a.AppDir()), SingleInstance::ServerName(a.AppDir()));
        // The same folder named through a different spelling.
        QCOMPARE(SingleInstance::ServerName(a.AppDir() + QStringLiteral("Quenda5/..")),
                 SingleInstance::ServerName(a.AppDir()));
        QVERIFY(SingleInstance::ServerName(a.AppDir()) != SingleInstance::ServerName(b.AppDir()));
        QVERIFY(SingleInstance::ServerName(a.AppDir()).contains(QStringLiteral("-%1-").arg(::getuid())));
    }
};

QTEST_MAIN(SecondStartTest)
#include "SecondStartTest.moc"
