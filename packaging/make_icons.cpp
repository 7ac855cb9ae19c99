// Writes the program's icon for the hicolor theme, drawn by the same code as the
// window's icon: a PNG at each size given, and a scalable SVG of the same shapes.
// Usage: make_icons OUTPUT_DIR SIZE...
//   OUTPUT_DIR/<N>x<N>/apps/glimmerbox.png for each SIZE N, OUTPUT_DIR/scalable/apps/glimmerbox.svg

#include "widgets/AppIcon.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSvgSide = 256;

bool WriteSvg(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kSvgSide << "\" height=\"" << kSvgSide
        << "\" viewBox=\"0 0 " << kSvgSide << ' ' << kSvgSide << "\">\n";
    for (const IconShape& shape : AppIconShapes()) {
        out << "  <polygon stroke=\"none\" fill=\"" << shape.colour.name() << "\" points=\"";
        for (int i = 0; i < shape.outline.size(); ++i) {
            const QPointF p = shape.outline[i] * kSvgSide;
            out << (i > 0 ? " " : "") << QString::number(p.x(), 'f', 2) << ',' << QString::number(p.y(), 'f', 2);
        }
        out << "\"/>\n";
    }
    out << "</svg>\n";
    out.flush();
    return out.status() == QTextStream::Ok && file.flush();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR SIZE...\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        char* end = nullptr;
        const long size = std::strtol(argv[i], &end, 10);
        if (*end != '\0' || size < 8 || size > 1024) {
            std::fprintf(stderr, "make_icons: %s is no icon size\n", argv[i]);
            return 2;
        }
        const QString dir = QString("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(dir) || !AppIconImage(static_cast<int>(size)).save(dir + "/glimmerbox.png", "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s/glimmerbox.png\n", qPrintable(dir));
            return 1;
        }
    }
    const QString svgDir = root + "/scalable/apps";
    if (!QDir().mkpath(svgDir) || !WriteSvg(svgDir + "/glimmerbox.svg")) {
        std::fprintf(stderr, "make_icons: cannot write %s/glimmerbox.svg\n", qPrintable(svgDir));
        return 1;
    }
    return 0;
}
