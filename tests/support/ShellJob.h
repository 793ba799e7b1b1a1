#pragma once
// Waiting for a shell file operation: its work runs on a worker thread and
// reports through the event loop, so a test waits for finished.

#include "files/ShellFileOperation.h"

#include <QCoreApplication>
#include <QSignalSpy>

namespace ZtTest {

// The ok of job's finished signal; false when it never came.
inline bool Finished(CShellFileOperation* job)
{
    QSignalSpy spy(job, &CShellFileOperation::finished);
    return spy.wait(60000) && spy.first().first().toBool();
}

// True once every job CFileName started is over: they hang below the
// application object until then.
inline bool JobsDone()
{
    return QCoreApplication::instance()->findChildren<CShellFileOperation*>(Qt::FindDirectChildrenOnly).isEmpty();
}

} // namespace ZtTest
