#include "files/BackgroundPool.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

QThreadPool& ZtBackgroundPool()
{
    static QThreadPool* const pool = [] {
        auto* made = new QThreadPool;
        // Folder listings and site tools mostly wait for the disk: one more
        // thread than cores keeps a listing from queueing behind two tools.
        made->setMaxThreadCount(QThread::idealThreadCount() + 1);
        qAddPostRoutine([] { ZtBackgroundPool().waitForDone(); });
        return made;
    }();
    return *pool;
}
