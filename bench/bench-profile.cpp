// Reads and writes a profile of many sections and keys, as a damaged or
// hand-made profile may be, and prints how long the start's read and one
// write take. No profile, whatever it holds, may make the start slow.
//
//   build/bin/bench-profile [sections]

#include "framework/Profile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int sections = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Zentrel.ini");
    QByteArray text;
    for (int i = 0; i < sections; ++i)
        text += "[Section" + QByteArray::number(i) + "]\r\nKey" + QByteArray::number(i) + "=value\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return 1;
    file.close();

    QElapsedTimer timer;
    timer.start();
    CProfile profile(path);
    const qint64 readMs = timer.elapsed();
    timer.restart();
    profile.WriteString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), QStringLiteral("0,1,0,0,0,0,1,2,3,4"));
    const qint64 writeMs = timer.elapsed();
    std::printf("profile_bytes %lld\nprofile_read_ms %lld\nprofile_write_ms %lld\n",
                static_cast<long long>(text.size()), static_cast<long long>(readMs),
                static_cast<long long>(writeMs));
    return profile.GetString(QStringLiteral("section7"), QStringLiteral("KEY7")) == QLatin1String("value") ? 0 : 2;
}
