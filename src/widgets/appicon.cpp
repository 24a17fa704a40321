#include "widgets/appicon.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <optional>

// Resources of a static library are registered by hand.
static void initIconResources() { Q_INIT_RESOURCE(icon); }

namespace drovex {
namespace {

// One item of a points or d attribute: a path command letter, or a number.
struct Token {
    QChar command; // null for a number
    double number = 0;
};

std::optional<QList<Token>> tokenize(const QString& text, QString* why)
{
    static const QRegularExpression number(QStringLiteral(R"([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));
    QList<Token> out;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c.isSpace() || c == QLatin1Char(',')) {
            ++i;
        } else if (c.isLetter() && c != QLatin1Char('e') && c != QLatin1Char('E')) {
            out.append({c, 0});
            ++i;
        } else {
            const auto m = number.match(text, i, QRegularExpression::NormalMatch,
                                        QRegularExpression::AnchorAtOffsetMatchOption);
            if (!m.hasMatch()) {
                *why = QStringLiteral("cannot read \"%1\"").arg(text.mid(i, 12));
                return std::nullopt;
            }
            out.append({QChar(), m.captured().toDouble()});
            i += m.capturedLength();
        }
    }
    return out;
}

// The numbers of a list such as points; nullopt when a letter is among them.
std::optional<QList<double>> numbers(const QString& text, QString* why)
{
    const auto list = tokenize(text, why);
    if (!list)
        return std::nullopt;
    QList<double> out;
    for (const Token& t : *list) {
        if (!t.command.isNull()) {
            *why = QStringLiteral("a letter among numbers: \"%1\"").arg(text.left(24));
            return std::nullopt;
        }
        out.append(t.number);
    }
    return out;
}

bool addPathData(QPainterPath& path, const QString& d, QString* why)
{
    const auto list = tokenize(d, why);
    if (!list)
        return false;
    qsizetype i = 0;
    auto take = [&](int count, double* out) {
        for (int k = 0; k < count; ++k, ++i) {
            if (i >= list->size() || !list->at(i).command.isNull())
                return false;
            out[k] = list->at(i).number;
        }
        return true;
    };
    QChar command;
    while (i < list->size()) {
        if (!list->at(i).command.isNull())
            command = list->at(i++).command;
        double v[6] = {};
        bool ok = true;
        switch (command.toLatin1()) {
        case 'M':
            ok = take(2, v);
            path.moveTo(v[0], v[1]);
            command = QLatin1Char('L'); // further pairs draw lines
            break;
        case 'L':
            ok = take(2, v);
            path.lineTo(v[0], v[1]);
            break;
        case 'H':
            ok = take(1, v);
            path.lineTo(v[0], path.currentPosition().y());
            break;
        case 'V':
            ok = take(1, v);
            path.lineTo(path.currentPosition().x(), v[0]);
            break;
        case 'C':
            ok = take(6, v);
            path.cubicTo(v[0], v[1], v[2], v[3], v[4], v[5]);
            break;
        case 'Q':
            ok = take(4, v);
            path.quadTo(v[0], v[1], v[2], v[3]);
            break;
        case 'Z':
            path.closeSubpath();
            command = QChar(); // a number right after Z is an error
            break;
        default:
            *why = command.isNull() ? QStringLiteral("path data without a command")
                                    : QStringLiteral("path command %1 (only absolute M L H V C Q Z)").arg(command);
            return false;
        }
        if (!ok) {
            *why = QStringLiteral("path command %1 lacks numbers").arg(command.isNull() ? QLatin1Char('M') : command);
            return false;
        }
    }
    return true;
}

// A paint: nullopt for "none".
bool paintOf(const QString& text, std::optional<QColor>* out, QString* why)
{
    if (text == QLatin1String("none")) {
        *out = std::nullopt;
        return true;
    }
    const QColor c = QColor::fromString(text);
    const bool hexOk = !text.startsWith(QLatin1Char('#')) || text.size() == 4 || text.size() == 7;
    if (!c.isValid() || !hexOk) {
        *why = QStringLiteral("colour \"%1\"").arg(text);
        return false;
    }
    *out = c;
    return true;
}

class IconReader {
public:
    IconReader(const QByteArray& svg, int size)
        : m_xml(svg)
        , m_size(size)
    {
    }

    QImage read(QString* error)
    {
        QImage image = readAll();
        if (error)
            *error = m_why;
        return m_why.isEmpty() ? image : QImage();
    }

private:
    bool fail(const QString& why)
    {
        if (m_why.isEmpty())
            m_why = why;
        return false;
    }

    QImage readAll()
    {
        if (m_size <= 0) {
            fail(QStringLiteral("size %1").arg(m_size));
            return {};
        }
        QImage image(m_size, m_size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        bool root = true;
        while (m_why.isEmpty() && !m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isCharacters() && !m_xml.isWhitespace())
                fail(QStringLiteral("text in the drawing"));
            if (!m_xml.isStartElement())
                continue;
            if (root != (m_xml.name() == QLatin1String("svg")))
                fail(QStringLiteral("element <%1>").arg(m_xml.name()));
            else if (root)
                startDrawing(painter);
            else
                shape(painter);
            root = false;
        }
        painter.end();
        if (m_xml.hasError()) // an empty file included: it ends before its first element
            fail(QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(m_xml.errorString()));
        return image;
    }

    // Only the attributes named, besides id, may appear.
    bool onlyThese(QStringList allowed)
    {
        allowed << QStringLiteral("id");
        for (const QXmlStreamAttribute& a : m_xml.attributes())
            if (!allowed.contains(a.qualifiedName().toString()))
                return fail(QStringLiteral("attribute %1 of <%2>").arg(a.qualifiedName(), m_xml.name()));
        return true;
    }

    double length(const QString& name, double fallback = 0)
    {
        const QString text = m_xml.attributes().value(name).toString();
        if (text.isEmpty())
            return fallback;
        QString why;
        const auto list = numbers(text, &why);
        if (list && list->size() == 1)
            return list->front();
        fail(QStringLiteral("%1=\"%2\"").arg(name, text));
        return fallback;
    }

    void startDrawing(QPainter& painter)
    {
        if (!onlyThese({QStringLiteral("width"), QStringLiteral("height"), QStringLiteral("viewBox"),
                        QStringLiteral("version")}))
            return;
        QString why;
        const auto box = numbers(m_xml.attributes().value(QLatin1String("viewBox")).toString(), &why);
        if (!box || box->size() != 4 || box->at(2) <= 0 || box->at(2) != box->at(3)) {
            fail(QStringLiteral("the viewBox must be a square"));
            return;
        }
        painter.scale(m_size / box->at(2), m_size / box->at(2));
        painter.translate(-box->at(0), -box->at(1));
    }

    void shape(QPainter& painter)
    {
        static const QStringList style = {QStringLiteral("fill"), QStringLiteral("stroke"),
                                          QStringLiteral("stroke-width"), QStringLiteral("stroke-linecap"),
                                          QStringLiteral("stroke-linejoin")};
        const QXmlStreamAttributes a = m_xml.attributes();
        const QStringView kind = m_xml.name();
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        if (kind == QLatin1String("rect")) {
            if (!onlyThese(style + QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("width"),
                                               QStringLiteral("height"), QStringLiteral("rx"), QStringLiteral("ry")}))
                return;
            const double rx = length(QStringLiteral("rx"), a.hasAttribute(QLatin1String("ry")) ? length(QStringLiteral("ry")) : 0);
            const double ry = length(QStringLiteral("ry"), rx);
            path.addRoundedRect(length(QStringLiteral("x")), length(QStringLiteral("y")), length(QStringLiteral("width")),
                                length(QStringLiteral("height")), rx, ry);
        } else if (kind == QLatin1String("circle")) {
            if (!onlyThese(style + QStringList{QStringLiteral("cx"), QStringLiteral("cy"), QStringLiteral("r")}))
                return;
            const double r = length(QStringLiteral("r"));
            path.addEllipse(QPointF(length(QStringLiteral("cx")), length(QStringLiteral("cy"))), r, r);
        } else if (kind == QLatin1String("polygon")) {
            if (!onlyThese(style + QStringList{QStringLiteral("points")}))
                return;
            QString why;
            const auto list = numbers(a.value(QLatin1String("points")).toString(), &why);
            if (!list || list->size() < 6 || list->size() % 2 != 0) {
                fail(QStringLiteral("points of a <polygon>"));
                return;
            }
            QPolygonF polygon;
            for (qsizetype i = 0; i < list->size(); i += 2)
                polygon << QPointF(list->at(i), list->at(i + 1));
            path.addPolygon(polygon);
            path.closeSubpath();
        } else if (kind == QLatin1String("path")) {
            if (!onlyThese(style + QStringList{QStringLiteral("d")}) ||
                !addPathData(path, a.value(QLatin1String("d")).toString(), &m_why))
                return;
        } else {
            fail(QStringLiteral("element <%1>").arg(kind));
            return;
        }
        paint(painter, path);
    }

    void paint(QPainter& painter, const QPainterPath& path)
    {
        const QXmlStreamAttributes a = m_xml.attributes();
        std::optional<QColor> fill = QColor(Qt::black); // the defaults of SVG
        std::optional<QColor> stroke;
        if (a.hasAttribute(QLatin1String("fill")) && !paintOf(a.value(QLatin1String("fill")).toString(), &fill, &m_why))
            return;
        if (a.hasAttribute(QLatin1String("stroke")) &&
            !paintOf(a.value(QLatin1String("stroke")).toString(), &stroke, &m_why))
            return;
        const QString cap = a.value(QLatin1String("stroke-linecap")).toString();
        const QString join = a.value(QLatin1String("stroke-linejoin")).toString();
        static const QHash<QString, Qt::PenCapStyle> caps = {
            {QString(), Qt::FlatCap}, {QStringLiteral("butt"), Qt::FlatCap},
            {QStringLiteral("round"), Qt::RoundCap}, {QStringLiteral("square"), Qt::SquareCap}};
        static const QHash<QString, Qt::PenJoinStyle> joins = {
            {QString(), Qt::SvgMiterJoin}, {QStringLiteral("miter"), Qt::SvgMiterJoin},
            {QStringLiteral("round"), Qt::RoundJoin}, {QStringLiteral("bevel"), Qt::BevelJoin}};
        if (!caps.contains(cap) || !joins.contains(join)) {
            fail(QStringLiteral("stroke-linecap or stroke-linejoin"));
            return;
        }
        const double width = length(QStringLiteral("stroke-width"), 1);
        if (!m_why.isEmpty())
            return;
        if (fill)
            painter.fillPath(path, *fill);
        if (stroke && width > 0) {
            QPen pen(*stroke, width, Qt::SolidLine, caps.value(cap), joins.value(join));
            pen.setMiterLimit(4); // SVG's default
            painter.strokePath(path, pen);
        }
    }

    QXmlStreamReader m_xml;
    int m_size;
    QString m_why;
};

} // namespace

QImage drawIcon(const QByteArray& svg, int size, QString* error)
{
    return IconReader(svg, size).read(error);
}

QIcon appIcon()
{
    initIconResources();
    QFile file(QStringLiteral(":/icon/drovex.svg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray svg = file.readAll();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage image = drawIcon(svg, size);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace drovex
