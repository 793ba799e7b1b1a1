#pragma once

#include <QByteArray>
#include <QString>

// The HTML page that shows a compiled Java class as an applet, written beside
// the class as "html_<Name>.html".
namespace ZtAppletPage {

// The class file the compiler makes of a source: the source's path up to its
// last "." followed by ".class".
QString ClassFileFor(const QString& sourcePath);
// The page's path for a class file.
QString PagePathFor(const QString& classFile);
// The page's bytes for the class named name (without extension), with CR LF
// line ends.
QByteArray PageBytes(const QString& name, const QString& width, const QString& height);
// Writes the page for classFile, replacing an older one. A failure is not
// reported to the user: the page is then missing or the old one stays. Only a
// symbolic link or a non-regular file in the page's place is refused with a
// message, and never written through. False when no page was written.
bool WriteAppletPage(const QString& classFile, const QString& width, const QString& height);

} // namespace ZtAppletPage
