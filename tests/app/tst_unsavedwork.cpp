#include "support/AppTestMain.h"
#include "support/FullDisk.h"

#include "app/RecoverDlg.h"
#include "app/SplashWnd.h"
#include "app/UnsavedWork.h"
#include "framework/Archive.h"
#include "framework/Document.h"
#include "framework/RecoveryFolder.h"
#include "framework/RecoveryJournal.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <sys/stat.h>

// Journals of unsaved work in the whole program: what is journaled and when
// it goes, a real process killed after typing and recovered by the next, and
// the recovery dialog's keys.
class TestUnsavedWork : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    ZtTest::CMessageLog m_log{QMessageBox::Yes};

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        return ZtTest::WriteFile(m_dir.path() + QLatin1Char('/') + name, bytes);
    }

    static QByteArray SaveBytes(CDocument* document)
    {
        CArchive archive(CArchive::Mode::Store, document->GetPathName());
        document->Serialize(archive);
        return archive.Bytes();
    }

    // Recovers the first count journals work found.
    static void RecoverAll(CUnsavedWork& work, int count)
    {
        CRecoveryChoice choice;
        choice.m_action = CRecoveryChoice::Action::Recover;
        for (int row = 0; row < count; ++row)
            choice.m_checked.append(row);
        work.Apply(choice, ZtApp()->Templates());
    }

    // The bytes a journal holds; "<none>" or "<damaged>" otherwise.
    static QByteArray Journaled(const QString& journalFile)
    {
        if (!QFile::exists(journalFile))
            return "<none>";
        CJournalRecord record = CJournalRecord::ReadHeader(journalFile);
        QByteArray bytes;
        return record.ReadBytes(bytes) ? bytes : QByteArray("<damaged>");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The start-up child runs the program's own start instead.
        if (!qEnvironmentVariableIsSet("ZT_START_CHILD"))
            ZtTest::ShowMainFrame();
    }

    void init()
    {
        m_log.texts.clear();
        m_log.answer = QMessageBox::Yes;
    }

    void cleanup() { ZtTest::CloseAllDocuments(); }

    // The journal holds what Save would write (line ends and encoding of the
    // file kept), and goes away with the unsaved changes, however they go.
    void journalEndsWithTheChanges_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("saved") << "save";
        QTest::newRow("undone back to the saved text") << "undo";
        QTest::newRow("closed without saving") << "close";
        QTest::newRow("never modified") << "none";
    }

    void journalEndsWithTheChanges()
    {
        QFETCH(QString, ending);
        CUnsavedWork work(m_dir.path() + QStringLiteral("/recovery-") + ending);
        work.Start();
        const QByteArray original("caf\xe9\r\nline two\r\n");
        const QString path = WriteFile(ending + QStringLiteral(".html"), original);
        CDocument* document = ZtApp()->WebPageTemplate()->OpenDocumentFile(path);
        QVERIFY(document);
        work.Watch(document);
        const QString journal = work.Journal()->JournalFile(document);
        if (ending == QLatin1String("none")) {
            work.Journal()->JournalNow(document);
            work.Journal()->WaitForDisk();
            QCOMPARE(Journaled(journal), QByteArray("<none>"));
            return;
        }
        QTest::keyClicks(ZtTest::EditorOf(document), QStringLiteral("x"));
        QTRY_COMPARE_WITH_TIMEOUT(Journaled(journal), QByteArray("xcaf\xe9\r\nline two\r\n"), 30000);
        QCOMPARE(ZtTest::ReadFile(path), original);

        if (ending == QLatin1String("save")) {
            QVERIFY(document->DoFileSave());
        } else if (ending == QLatin1String("undo")) {
            ZtTest::EditorOf(document)->undo();
        } else {
            m_log.answer = QMessageBox::No;
            QVERIFY(document->SaveModified());
            QPointer<CDocument> closing(document);
            document->OnCloseDocument();
            QTRY_VERIFY(!closing);
        }
        work.Journal()->WaitForDisk();
        QCOMPARE(Journaled(journal), QByteArray("<none>"));
    }

    // A full disk under the recovery folder: the user hears of it once in
    // the status bar, the text stays as it was.
    void fullRecoveryFolderIsReportedOnce()
    {
        ZtTest::CFullDisk disk;
        if (!disk.SkipReason().isEmpty())
            QSKIP(qPrintable(disk.SkipReason()));
        CUnsavedWork work(disk.Path(QStringLiteral("recovery")));
        work.Start();
        QSignalSpy problems(&work, &CUnsavedWork::journalProblem);
        QVERIFY(disk.Fill());
        CDocument* document = ZtApp()->WebPageTemplate()->OpenDocumentFile(WriteFile("full.html", "<P>\n"));
        work.Watch(document);
        QTest::keyClicks(ZtTest::EditorOf(document), QStringLiteral("kept"));
        work.Journal()->JournalNow(document);
        QTest::keyClicks(ZtTest::EditorOf(document), QStringLiteral(" still"));
        work.Journal()->JournalNow(document);
        work.Journal()->WaitForDisk();
        QTRY_COMPARE_WITH_TIMEOUT(problems.count(), 1, 30000);
        QCoreApplication::processEvents();
        QCOMPARE(problems.count(), 1);
        QVERIFY2(problems.first().first().toString().contains(QStringLiteral("could not be journaled")),
                 qPrintable(problems.first().first().toString()));
        QCOMPARE(SaveBytes(document), QByteArray("kept still<P>\n"));
    }

    // Run in a process of its own by killedProcessIsRecovered: types into a
    // page, a page that will change on disk and an untitled text, waits for
    // their journals and stays until killed.
    void typeAndWaitToBeKilled()
    {
        const QString root = qEnvironmentVariable("ZT_KILLED_CHILD_ROOT");
        if (root.isEmpty())
            QSKIP("the child half of killedProcessIsRecovered");
        const QString folder = qEnvironmentVariable("ZT_KILLED_CHILD_DIR");
        auto* work = new CUnsavedWork(root, this);
        work->Start();
        QList<CDocument*> documents{
            ZtApp()->WebPageTemplate()->OpenDocumentFile(folder + QStringLiteral("/page.html")),
            ZtApp()->WebPageTemplate()->OpenDocumentFile(folder + QStringLiteral("/changed.html")),
            ZtApp()->TextTemplate()->OpenDocumentFile(QString())};
        const QStringList typed{QStringLiteral("typed "), QStringLiteral("mine "), QStringLiteral("never saved")};
        for (int i = 0; i < documents.size(); ++i) {
            QVERIFY(documents.at(i));
            work->Watch(documents.at(i));
            QTest::keyClicks(ZtTest::EditorOf(documents.at(i)), typed.at(i));
        }
        QTest::keyClick(ZtTest::EditorOf(documents.at(2)), Qt::Key_Return);
        for (CDocument* document : documents)
            QTRY_COMPARE_WITH_TIMEOUT(Journaled(work->Journal()->JournalFile(document)), SaveBytes(document), 60000);
        fputs("journaled\n", stdout);
        fflush(stdout);
        QEventLoop().exec(); // until the parent kills this process
    }

    // kill -9 after typing, then a new start: every document comes back
    // with its exact bytes, modified, at its path; the files on disk are
    // untouched; a file changed meanwhile is named so in the title and the
    // first save asks before replacing it.
    void killedProcessIsRecovered()
    {
        const QString root = m_dir.path() + QStringLiteral("/recovery-killed");
        const QString folder = m_dir.path() + QStringLiteral("/killed");
        const QByteArray pageBytes("<P>one\r\n<P>two\r\r\n");
        const QString page = folder + QStringLiteral("/page.html");
        const QString changed = folder + QStringLiteral("/changed.html");
        WriteFile(QStringLiteral("killed/page.html"), pageBytes);
        WriteFile(QStringLiteral("killed/changed.html"), "theirs\n");

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZT_KILLED_CHILD_ROOT"), root);
        environment.insert(QStringLiteral("ZT_KILLED_CHILD_DIR"), folder);
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("typeAndWaitToBeKilled")});
        QByteArray output;
        QVERIFY(QTest::qWaitFor([&] {
            child.waitForReadyRead(100);
            output += child.readAll();
            return output.contains("journaled\n") || child.state() == QProcess::NotRunning;
        }, 240000));
        QVERIFY2(output.contains("journaled\n"), output.constData());
        child.kill(); // SIGKILL: nothing of the child's shut-down runs
        QVERIFY(child.waitForFinished(60000));

        WriteFile(QStringLiteral("killed/changed.html"), "theirs, changed after the load\n");
        CUnsavedWork next(root);
        next.Start();
        RecoverAll(next, 3);

        QStringList found;
        QList<CDocument*> recovered = ZtApp()->WebPageTemplate()->Documents() + ZtApp()->TextTemplate()->Documents();
        for (CDocument* document : recovered) {
            found.append(QFileInfo(document->GetPathName()).fileName() + QLatin1Char('|') + document->GetTitle()
                         + QLatin1Char('|') + QString::fromLatin1(SaveBytes(document).toPercentEncoding())
                         + QLatin1Char('|') + QString::number(document->IsModified()));
        }
        found.sort();
        QCOMPARE(found.join(QLatin1Char('\n')),
                 QStringLiteral("changed.html|changed.html (changed on disk)|mine%20theirs%0A|1\n"
                                "page.html|page.html|typed%20%3CP%3Eone%0D%0A%3CP%3Etwo%0D%0D%0A|1\n"
                                "|Text1|never%20saved%0A|1"));
        QCOMPARE(ZtTest::ReadFile(page), pageBytes);
        QCOMPARE(ZtTest::ReadFile(changed), QByteArray("theirs, changed after the load\n"));
        // Recovered journals are gone; only the locks' folder is left.
        QVERIFY(QDir(root).entryList({QStringLiteral("*.ztj")}, QDir::Files).isEmpty());

        CDocument* mine = *std::find_if(recovered.begin(), recovered.end(),
                                        [&changed](CDocument* document) { return document->GetPathName() == changed; });
        QVERIFY(mine->DoFileSave());
        QCOMPARE(m_log.texts.size(), 1);
        QVERIFY2(m_log.texts.first().contains(QStringLiteral("was changed by another program since it was opened here")),
                 qPrintable(m_log.texts.first()));
        QCOMPARE(ZtTest::ReadFile(changed), QByteArray("mine theirs\n"));
    }

    // A journal whose file is now a folder or a FIFO still opens, named as
    // changed on disk; saving it there fails with a message and keeps the
    // text. A damaged journal is not opened and stays for later. Two sessions
    // lost in a row may both hold a journal of one page: one window opens on
    // it, and the other journal waits for the next start.
    void recoveredJournals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected"); // the window's title and text, the journals left
        QTest::newRow("a folder") << "folder" << "now-folder.html (changed on disk)|<P>first\n|100-1/2.ztj";
        QTest::newRow("a FIFO") << "fifo" << "now-fifo.html (changed on disk)|<P>first\n|100-1/2.ztj";
        QTest::newRow("one page twice") << "twice" << "now-twice.html|<P>first\n|101-1/1.ztj";
    }
    void recoveredJournals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        const QString root = m_dir.path() + QStringLiteral("/recovery-") + kind;
        const QString path = m_dir.path() + QStringLiteral("/now-") + kind + QStringLiteral(".html");
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        else if (kind == QLatin1String("fifo"))
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else
            WriteFile(QStringLiteral("now-twice.html"), "<P>saved\n");
        CJournalRecord record;
        record.m_strPath = path;
        record.m_strKind = ZtApp()->WebPageTemplate()->Strings().m_strDocName;
        if (kind == QLatin1String("twice"))
            record.m_loadStamp = CDiskStamp::Of(path);
        WriteFile(QStringLiteral("recovery-%1/100-1/1.ztj").arg(kind), record.Encode("<P>first\n"));
        if (kind == QLatin1String("twice"))
            WriteFile(QStringLiteral("recovery-%1/101-1/1.ztj").arg(kind), record.Encode("<P>second\n"));
        else
            WriteFile(QStringLiteral("recovery-%1/100-1/2.ztj").arg(kind), "damaged");

        CUnsavedWork work(root);
        work.Start();
        RecoverAll(work, 2);
        QCOMPARE(ZtApp()->WebPageTemplate()->Documents().size(), 1);
        CDocument* document = ZtApp()->WebPageTemplate()->Documents().first();
        QStringList left;
        for (const QString& session : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QString& journal : QDir(root + QLatin1Char('/') + session).entryList({QStringLiteral("*.ztj")}))
                left << session + QLatin1Char('/') + journal;
        }
        QCOMPARE(document->GetTitle() + QLatin1Char('|') + QString::fromLatin1(SaveBytes(document)) + QLatin1Char('|')
                     + left.join(QLatin1Char(',')),
                 expected);
        if (kind == QLatin1String("twice")) {
            QCOMPARE(ZtTest::ReadFile(path), QByteArray("<P>saved\n"));
            return;
        }
        QVERIFY(!document->DoSave(path));
        QCOMPARE(m_log.texts.size(), 1);
        QVERIFY(document->IsModified());
        QVERIFY(QFileInfo(path).isDir() == (kind == QLatin1String("folder")));
    }

    // The real start: the journals of a gone process are offered once the
    // splash is gone and before the last session's pages reopen; the page
    // reopens after the recovered one. Runs in a process of its own.
    void startOffersRecoveryBeforeReopening()
    {
        if (!qEnvironmentVariableIsSet("ZT_START_CHILD")) {
            QVERIFY(ZtTest::PassesInChild({QStringLiteral("ZT_START_CHILD=1")}));
            return;
        }
        const QString lastPage = WriteFile(QStringLiteral("last.html"), "<P>last\n");
        ZtApp()->AddToRecentFileList(lastPage);
        ZtApp()->WriteProfileString(QStringLiteral("Startup"), QStringLiteral("FilesOnExit"), QStringLiteral("yes"));
        CJournalRecord record;
        record.m_strPath = m_dir.path() + QStringLiteral("/lost.html");
        record.m_strKind = QStringLiteral("HTML");
        ZtTest::WriteFile(CRecoveryFolder::DefaultRoot() + QStringLiteral("/100-1/1.ztj"), record.Encode("<P>lost\n"));

        QString seen;
        CUnsavedWork::SetAsker([&seen](const QList<CJournalRecord>& records) {
            seen = QStringLiteral("rows:%1 splash:%2 pages:%3")
                       .arg(records.size())
                       .arg(CSplashWnd::IsVisibleSplash())
                       .arg(ZtApp()->WebPageTemplate()->Documents().size());
            CRecoveryChoice choice;
            choice.m_action = CRecoveryChoice::Action::Recover;
            choice.m_checked = {0};
            return choice;
        });
        QVERIFY(ZtApp()->InitInstance());
        QTRY_VERIFY_WITH_TIMEOUT(!seen.isEmpty(), 60000);
        CUnsavedWork::SetAsker(nullptr);
        QCOMPARE(seen, QStringLiteral("rows:1 splash:0 pages:0"));
        QStringList opened;
        for (CDocument* document : ZtApp()->WebPageTemplate()->Documents())
            opened.append(QFileInfo(document->GetPathName()).fileName() + (document->IsModified() ? "*" : ""));
        QCOMPARE(opened.join(QLatin1Char(',')), QStringLiteral("lost.html*,last.html"));
    }

    // Return recovers the checked rows, Escape keeps everything for later,
    // Discard asks once and stays when the answer is No.
    void dialogKeysAndButtons_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("discardAnswer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Return") << "Return" << int(QMessageBox::No) << "recover:0,2 questions:0";
        QTest::newRow("Escape") << "Escape" << int(QMessageBox::No) << "later: questions:0";
        QTest::newRow("Discard, confirmed") << "Discard" << int(QMessageBox::Yes) << "discard:0,2 questions:1";
        QTest::newRow("Discard, not confirmed") << "Discard" << int(QMessageBox::No) << "open questions:1";
    }

    void dialogKeysAndButtons()
    {
        QFETCH(QString, input);
        QFETCH(int, discardAnswer);
        QFETCH(QString, expected);
        m_log.answer = QMessageBox::StandardButton(discardAnswer);
        CJournalRecord page;
        page.m_strPath = m_dir.path() + QStringLiteral("/a.html");
        page.m_nJournaledMs = 1;
        CJournalRecord untitled;
        untitled.m_strTitle = QStringLiteral("Untitled1");
        CJournalRecord damaged;
        damaged.m_bDamaged = true;
        CRecoverDlg dialog({page, untitled, damaged});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Recover Unsaved Work"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.List()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        if (input == QLatin1String("Discard")) {
            for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
                if (button->text() == QLatin1String("&Discard"))
                    button->click();
            }
        } else {
            QTest::keyClick(&dialog, input == QLatin1String("Return") ? Qt::Key_Return : Qt::Key_Escape);
        }
        QString result = QStringLiteral("open");
        if (!dialog.isVisible()) {
            const CRecoveryChoice choice = dialog.Choice();
            const char* names[] = {"recover", "discard", "later"};
            QStringList rows;
            for (int row : choice.m_checked)
                rows.append(QString::number(row));
            result = QString::fromLatin1(names[int(choice.m_action)]) + QLatin1Char(':')
                     + (choice.m_action == CRecoveryChoice::Action::Later ? QString() : rows.join(QLatin1Char(',')));
        }
        QCOMPARE(result + QStringLiteral(" questions:%1").arg(m_log.texts.size()), expected);
    }
};

ZT_APP_TEST_MAIN(TestUnsavedWork)
#include "tst_unsavedwork.moc"
