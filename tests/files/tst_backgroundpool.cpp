#include "support/GlobalPoolHeld.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FolderReader.h"
#include "files/SubfolderReader.h"
#include "files/TreeFolderReader.h"

#include <QSignalSpy>

class TestBackgroundPool : public QObject
{
    Q_OBJECT
private slots:
    void foldersAreListedWhileQtsPoolIsHeld();
};

// Qt's painter waits for its parts on the global pool, so listings never run
// there: with that pool held by long tasks, every reader still finishes.
void TestBackgroundPool::foldersAreListedWhileQtsPoolIsHeld()
{
    const QString folder = ZtTest::FreshDir("site");
    ZtTest::WriteFile(folder + "/index.html", "<p>");
    ZtTest::WriteFile(folder + "/images/logo.png", "png");
    ZtTest::CGlobalPoolHeld held;
    QVERIFY(held.IsHeld());

    CFolderReader files;
    QSignalSpy filesDone(&files, &CFolderReader::finished);
    files.Start(folder);
    CSubfolderReader subfolders;
    QSignalSpy subfoldersDone(&subfolders, &CSubfolderReader::finished);
    subfolders.Start(folder, false);
    CTreeFolderReader tree;
    QSignalSpy treeDone(&tree, &CTreeFolderReader::folderListed);
    tree.Start(folder);

    QTRY_COMPARE_WITH_TIMEOUT(filesDone.size(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(subfoldersDone.size(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(treeDone.size(), 1, 10000);
    QCOMPARE(filesDone.first().at(0).toBool(), true);
    QCOMPARE(treeDone.first().at(1).value<QVector<CTreeEntry>>().size(), 2);
}

ZT_TEST_MAIN(TestBackgroundPool)
#include "tst_backgroundpool.moc"
