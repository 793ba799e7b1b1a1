// Renders the program's SVG icon into the PNG sizes that desktop icon themes
// keep beside the scalable one, at build time:
//   zentrel-iconrender icon.svg out-dir 48 128 256
// writes out-dir/48x48/apps/<name>.png and so on, <name> being the SVG's
// base name. Menus and docks that draw bitmaps pick these; the SVG stays the
// one picture that is drawn by hand.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

bool RenderOne(QSvgRenderer& renderer, int size, const QString& target)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return QDir().mkpath(QFileInfo(target).path()) && image.save(target, "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    // A build machine may have no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 4) {
        err << "usage: zentrel-iconrender icon.svg out-dir size...\n";
        return 2;
    }
    QSvgRenderer renderer(arguments[1]);
    if (!renderer.isValid()) {
        err << "Cannot read the icon " << arguments[1] << "\n";
        return 1;
    }
    const QString name = QFileInfo(arguments[1]).completeBaseName();
    for (const QString& sizeText : arguments.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            err << "Not an icon size: " << sizeText << "\n";
            return 2;
        }
        const QString target = QStringLiteral("%1/%2x%2/apps/%3.png").arg(arguments[2]).arg(size).arg(name);
        if (!RenderOne(renderer, size, target)) {
            err << "Cannot write " << target << "\n";
            return 1;
        }
    }
    return 0;
}
