// The icon reader: the program's own drawing comes out as drawn, at every size, and anything it
// cannot draw faithfully is refused rather than drawn differently.
#include "widgets/appicon.h"

#include <QFile>
#include <QTest>

using namespace drovex;

namespace {

QByteArray iconFile()
{
    QFile f(QStringLiteral(DROVEX_ICON_SVG));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A drawing of 8 by 8 units, drawn at 8 by 8 pixels in the rows below: one unit, one pixel.
QByteArray small(const char* body) { return QByteArray("<svg viewBox=\"0 0 8 8\">") + body + "</svg>"; }

} // namespace

class TestAppIcon : public QObject {
    Q_OBJECT
private slots:
    void draws_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<int>("size");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("colour"); // transparent: nothing drawn there
        const QColor none(0, 0, 0, 0);
        // The icon is drawn on 64 by 64 units; the points are the middles of its parts.
        const QByteArray icon = iconFile();
        const struct {
            const char* part;
            QPointF point;
            QColor colour;
        } parts[] = {{"corner", {0.5, 0.5}, none},
                     {"tile", {58, 30}, QColor(0x8a, 0x14, 0x14)},
                     {"pole", {15, 30}, QColor(0xe8, 0xe8, 0xe8)},
                     {"black square", {21.5, 17.5}, QColor(0x11, 0x11, 0x11)},
                     {"white square", {30.5, 18}, QColor(Qt::white)},
                     {"track", {29.75, 50.9}, QColor(0xf2, 0xb0, 0x1e)}};
        for (int size : {48, 64, 256})
            for (const auto& p : parts)
                QTest::addRow("icon %s at %d", p.part, size)
                    << icon << size << (p.point * size / 64).toPoint() << p.colour;

        const QByteArray moved("<svg viewBox=\"10 10 8 8\"><rect x=\"10\" y=\"10\" width=\"4\" height=\"8\" "
                               "fill=\"#f00\"/></svg>");
        QTest::newRow("viewBox moved") << moved << 8 << QPoint(1, 4) << QColor(Qt::red);
        QTest::newRow("viewBox moved, beside") << moved << 8 << QPoint(6, 4) << none;
        QTest::newRow("viewBox scaled") << moved << 80 << QPoint(35, 40) << QColor(Qt::red);
        QTest::newRow("fill black by default") << small("<circle cx=\"4\" cy=\"4\" r=\"3\"/>") << 8 << QPoint(4, 4)
                                               << QColor(Qt::black);
        QTest::newRow("fill none") << small("<circle cx=\"4\" cy=\"4\" r=\"3\" fill=\"none\"/>") << 8 << QPoint(4, 4)
                                   << none;
        QTest::newRow("rounded corner") << small("<rect width=\"8\" height=\"8\" rx=\"4\" fill=\"red\"/>") << 8
                                        << QPoint(0, 0) << none;
        QTest::newRow("path H V Z") << small("<path d=\"M0,0 H4 V8 H0 Z\" fill=\"blue\"/>") << 8 << QPoint(2, 6)
                                    << QColor(Qt::blue);
        QTest::newRow("path, pairs after M are lines")
            << small("<path d=\"M0 0 4 0 4 8 0 8Z\" fill=\"blue\"/>") << 8 << QPoint(2, 6) << QColor(Qt::blue);
        QTest::newRow("stroke only") << small("<path d=\"M0 4 L8 4\" fill=\"none\" stroke=\"#00ff00\" "
                                              "stroke-width=\"2\"/>")
                                     << 8 << QPoint(4, 4) << QColor(Qt::green);
        QTest::newRow("stroke only, outside") << small("<path d=\"M0 4 L8 4\" fill=\"none\" stroke=\"#00ff00\" "
                                                       "stroke-width=\"2\"/>")
                                              << 8 << QPoint(4, 1) << none;
        QTest::newRow("polygon") << small("<polygon points=\"0,0 8,0 0,8\" fill=\"#ff0000\"/>") << 8 << QPoint(1, 1)
                                 << QColor(Qt::red);
        QTest::newRow("polygon, other half") << small("<polygon points=\"0,0 8,0 0,8\" fill=\"#ff0000\"/>") << 8
                                             << QPoint(6, 6) << none;
        QTest::newRow("later shapes on top") << small("<rect width=\"8\" height=\"8\" fill=\"red\"/>"
                                                      "<rect width=\"8\" height=\"4\" fill=\"blue\"/>")
                                             << 8 << QPoint(4, 1) << QColor(Qt::blue);
    }
    void draws()
    {
        QFETCH(QByteArray, svg);
        QFETCH(int, size);
        QFETCH(QPoint, pixel);
        QFETCH(QColor, colour);
        QString why;
        const QImage image = drawIcon(svg, size, &why);
        QVERIFY2(!image.isNull(), qPrintable(why));
        QCOMPARE(image.size(), QSize(size, size));
        const QColor got = image.pixelColor(pixel);
        const auto near = [](int a, int b) { return std::abs(a - b) <= 2; };
        QVERIFY2(near(got.red(), colour.red()) && near(got.green(), colour.green()) &&
                     near(got.blue(), colour.blue()) && near(got.alpha(), colour.alpha()),
                 qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(pixel.x()).arg(pixel.y()).arg(got.name(QColor::HexArgb))));
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QString>("why"); // part of the reason given
        QTest::newRow("ellipse") << small("<ellipse cx=\"4\" cy=\"4\" rx=\"3\" ry=\"2\"/>") << "<ellipse>";
        QTest::newRow("group") << small("<g><rect width=\"1\" height=\"1\"/></g>") << "<g>";
        QTest::newRow("transform") << small("<rect width=\"1\" height=\"1\" transform=\"rotate(9)\"/>")
                                   << "transform";
        QTest::newRow("style") << small("<rect width=\"1\" height=\"1\" style=\"fill:red\"/>") << "style";
        QTest::newRow("editor's attribute")
            << QByteArray("<svg xmlns:x=\"urn:x\" viewBox=\"0 0 8 8\"><rect x:label=\"a\" width=\"1\" height=\"1\"/></svg>")
            << "x:label";
        QTest::newRow("relative path") << small("<path d=\"m0 0 l4 4z\"/>") << "path command m";
        QTest::newRow("arc") << small("<path d=\"M0 0 A2 2 0 0 1 4 4\"/>") << "path command A";
        QTest::newRow("path short of numbers") << small("<path d=\"M0 0 C1 1 2 2\"/>") << "lacks numbers";
        QTest::newRow("number after Z") << small("<path d=\"M0 0 L4 4 Z 3 3\"/>") << "without a command";
        QTest::newRow("odd points") << small("<polygon points=\"0,0 8,0 0\"/>") << "points";
        QTest::newRow("gradient") << small("<rect width=\"1\" height=\"1\" fill=\"url(#g)\"/>") << "colour";
        QTest::newRow("colour with alpha") << small("<rect width=\"1\" height=\"1\" fill=\"#ff000080\"/>") << "colour";
        QTest::newRow("bad number") << small("<rect width=\"1px\" height=\"1\"/>") << "width";
        QTest::newRow("round miter") << small("<path d=\"M0 0 L1 1\" stroke=\"red\" stroke-linejoin=\"arcs\"/>")
                                     << "stroke-linejoin";
        QTest::newRow("no viewBox") << QByteArray("<svg width=\"8\" height=\"8\"/>") << "square";
        QTest::newRow("viewBox not square") << QByteArray("<svg viewBox=\"0 0 8 6\"/>") << "square";
        QTest::newRow("not svg") << QByteArray("<html/>") << "<html>";
        QTest::newRow("empty") << QByteArray() << "line 1";
        QTest::newRow("only a comment") << QByteArray("<!-- nothing -->") << "line 1";
        QTest::newRow("broken") << QByteArray("<svg viewBox=\"0 0 8 8\"><rect") << "line 1";
        QTest::newRow("text") << small("<text>GP2</text>") << "<text>";
    }
    void refuses()
    {
        QFETCH(QByteArray, svg);
        QFETCH(QString, why);
        QString error;
        QVERIFY(drawIcon(svg, 16, &error).isNull());
        QVERIFY2(error.contains(why), qPrintable(error));
    }

    // The windows' icon comes from the resource at the sizes a title bar and a task switcher use.
    void windowIcon()
    {
        const QList<QSize> sizes = appIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(256, 256)));
    }
};

QTEST_MAIN(TestAppIcon)
#include "tst_appicon.moc"
