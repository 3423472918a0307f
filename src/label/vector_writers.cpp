#include "label/vector_writers.h"

#include "base/units.h"
#include "label/label_layout.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Coordinates with enough decimals that a size read back is exact to well under a micrometre.
QByteArray num(double value)
{
    return decimalText(value, 5, true).toLatin1();
}

QByteArray numbers(std::initializer_list<double> values)
{
    QByteArray text;
    for (const double value : values)
        text += (text.isEmpty() ? "" : " ") + num(value);
    return text;
}

// The steps of an outline, in the order they are drawn: each calls \a move, \a line or \a curve
// with the step's numbers, and says whether it begins the outline (a later move also closes the
// shape before it).
template <typename Move, typename Line, typename Curve>
void walkOutline(const QPainterPath &path, Move move, Line line, Curve curve)
{
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            move(i == 0, numbers({e.x, e.y}));
        } else if (e.isLineTo()) {
            line(numbers({e.x, e.y}));
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            curve(numbers({e.x, e.y, c2.x, c2.y, end.x, end.y}));
            i += 2;
        }
    }
}

QByteArray svgColour(const QColor &colour)
{
    return colour.name(QColor::HexRgb).toLatin1();
}

// PostScript colour operands of \a colour.
QByteArray psColour(const QColor &colour)
{
    return numbers({colour.redF(), colour.greenF(), colour.blueF()}) + " setrgbcolor\n";
}

} // namespace

QByteArray svgLabel(const LabelLayout &artwork)
{
    const QByteArray width = num(artwork.size.width());
    const QByteArray height = num(artwork.size.height());
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                     width + "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + ' ' + height + "\">\n";
    if (!artwork.transparentBackground)
        svg += "<rect x=\"0\" y=\"0\" width=\"" + width + "\" height=\"" + height + "\" fill=\"" +
               svgColour(artwork.background) + "\"/>\n";
    svg += "<g fill=\"" + svgColour(artwork.ink) + "\">\n";
    for (const QRectF &bar : artwork.bars)
        svg += "<rect x=\"" + num(bar.x()) + "\" y=\"" + num(bar.y()) + "\" width=\"" + num(bar.width()) +
               "\" height=\"" + num(bar.height()) + "\"/>\n";
    for (const LabelText &text : artwork.texts) {
        QByteArray data;
        walkOutline(
            artwork.outline(text), [&](bool first, const QByteArray &at) { data += (first ? "M" : "Z M") + at; },
            [&](const QByteArray &at) { data += 'L' + at; }, [&](const QByteArray &at) { data += 'C' + at; });
        if (!data.isEmpty())
            svg += "<path fill-rule=\"nonzero\" d=\"" + data + "Z\"/>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

QByteArray epsLabel(const LabelLayout &artwork)
{
    const double width = artwork.size.width() * kPointsPerMillimetre;
    const double height = artwork.size.height() * kPointsPerMillimetre;
    QByteArray eps = "%!PS-Adobe-3.0 EPSF-3.0\n"
                     "%%Creator: Kelbrix\n"
                     "%%BoundingBox: 0 0 " +
                     QByteArray::number(std::lround(std::ceil(width - 1e-6))) + ' ' +
                     QByteArray::number(std::lround(std::ceil(height - 1e-6))) +
                     "\n"
                     "%%HiResBoundingBox: 0 0 " +
                     numbers({width, height}) +
                     "\n"
                     "%%LanguageLevel: 2\n"
                     "%%Pages: 1\n"
                     "%%EndComments\n"
                     "%%Page: 1 1\n"
                     "gsave\n";
    // Millimetres from the top left, as the artwork is measured.
    eps += "0 " + num(height) + " translate " + numbers({kPointsPerMillimetre, -kPointsPerMillimetre}) + " scale\n";
    if (!artwork.transparentBackground)
        eps += psColour(artwork.background) + "0 0 " + numbers({artwork.size.width(), artwork.size.height()}) +
               " rectfill\n";
    eps += psColour(artwork.ink);
    for (const QRectF &bar : artwork.bars)
        eps += numbers({bar.x(), bar.y(), bar.width(), bar.height()}) + " rectfill\n";
    for (const LabelText &text : artwork.texts) {
        const QPainterPath path = artwork.outline(text);
        if (path.isEmpty())
            continue;
        eps += "newpath\n";
        walkOutline(
            path, [&](bool first, const QByteArray &at) { eps += (first ? "" : "closepath ") + at + " moveto\n"; },
            [&](const QByteArray &at) { eps += at + " lineto\n"; },
            [&](const QByteArray &at) { eps += at + " curveto\n"; });
        eps += "closepath fill\n";
    }
    eps += "grestore\nshowpage\n%%EOF\n";
    return eps;
}

QByteArray pdfLabel(const LabelLayout &artwork)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(u"Kelbrix"_s);
        // At 72 dpi the painter's units are points: the page and every coordinate keep their
        // exact sizes, without a transformation in between.
        writer.setResolution(int(kPointsPerInch));
        const QSizeF points = artwork.size * kPointsPerMillimetre;
        writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        painter.setPen(Qt::NoPen);
        painter.fillRect(QRectF(QPointF(0, 0), points), artwork.background);
        for (const QRectF &bar : artwork.bars)
            painter.fillRect(QRectF(bar.topLeft() * kPointsPerMillimetre, bar.size() * kPointsPerMillimetre),
                             artwork.ink);
        painter.setPen(artwork.ink);
        for (const LabelText &text : artwork.texts) {
            QFont font(artwork.font.family());
            font.setBold(artwork.font.bold());
            font.setItalic(artwork.font.italic());
            font.setPointSizeF(text.size * kPointsPerMillimetre);
            font.setHintingPreference(QFont::PreferNoHinting);
            painter.setFont(font);
            const double advance = artwork.advance(text) * kPointsPerMillimetre;
            const double shift = text.alignment == 0 ? -advance / 2 : (text.alignment == 2 ? -advance : 0.0);
            painter.drawText(QPointF(text.x * kPointsPerMillimetre + shift, text.y * kPointsPerMillimetre), text.text);
        }
        if (!painter.end())
            return {};
    }
    return buffer.data();
}

} // namespace Kelbrix
