// Draws the program's icon into the PNG sizes of the hicolor icon theme, at build time, from the
// same SVG file that is installed as the scalable icon.
// Usage: iconpng <drawing.svg> <icon name> <output folder> <size>...
// Writes <output folder>/<size>x<size>/apps/<icon name>.png for each size.
#include "widgets/appicon.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: iconpng <drawing.svg> <icon name> <output folder> <size>...\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const QString folder = QString::fromLocal8Bit(argv[3]);
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "iconpng: cannot read %s: %s\n", qPrintable(source), qPrintable(file.errorString()));
        return 1;
    }
    const QByteArray svg = file.readAll();
    for (int i = 4; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QString why;
        const QImage image = drovex::drawIcon(svg, size, &why);
        if (image.isNull()) {
            std::fprintf(stderr, "iconpng: %s cannot be drawn: %s\n", qPrintable(source), qPrintable(why));
            return 1;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString out = QStringLiteral("%1/%2.png").arg(dir, name);
        if (!QDir().mkpath(dir) || !image.convertToFormat(QImage::Format_ARGB32).save(out, "PNG")) {
            std::fprintf(stderr, "iconpng: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
