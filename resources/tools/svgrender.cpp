// Renders one of our SVG drawings to PNG at its natural size and at twice that size, so that
// images stay sharp on screens with a device pixel ratio of 2 (Qt picks "name@2x.png" there).
//
// usage: zirrup-svgrender <in.svg> <out.png> [<out@2x.png>]

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

static bool render(QSvgRenderer &renderer, qreal scale, const QString &outPath)
{
    const QSize size = (QSizeF(renderer.defaultSize()) * scale).toSize();
    if (size.isEmpty())
        return false;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter);
    painter.end();
    return image.save(outPath, "PNG");
}

int main(int argc, char **argv)
{
    // Text in the drawings needs fonts, hence a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 3 || args.size() > 4) {
        err << "usage: zirrup-svgrender <in.svg> <out.png> [<out@2x.png>]\n";
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        err << "zirrup-svgrender: cannot read " << args.at(1) << "\n";
        return 1;
    }
    if (!render(renderer, 1.0, args.at(2))) {
        err << "zirrup-svgrender: cannot write " << args.at(2) << "\n";
        return 1;
    }
    if (args.size() == 4 && !render(renderer, 2.0, args.at(3))) {
        err << "zirrup-svgrender: cannot write " << args.at(3) << "\n";
        return 1;
    }
    return 0;
}
