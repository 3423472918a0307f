#include "artwork/artwork_writers.h"

#include "artwork/artwork.h"

#include <QBuffer>
#include <QFileInfo>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// Coordinates with enough decimals that a size read back is exact to well under a micrometre.
QByteArray num(double value)
{
    QByteArray text = QByteArray::number(value, 'f', 5);
    while (text.contains('.') && (text.endsWith('0') || text.endsWith('.')))
        text.chop(1);
    return text == "-0" ? QByteArray("0") : text;
}

QByteArray svgColour(const QColor &colour)
{
    return colour.name(QColor::HexRgb).toLatin1();
}

QByteArray svgPathData(const QPainterPath &path)
{
    QByteArray data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo())
            data += (i > 0 ? "Z M" : "M") + num(e.x) + ' ' + num(e.y);
        else if (e.isLineTo())
            data += 'L' + num(e.x) + ' ' + num(e.y);
        else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += 'C' + num(e.x) + ' ' + num(e.y) + ' ' + num(c2.x) + ' ' + num(c2.y) + ' ' + num(end.x) + ' ' +
                    num(end.y);
            i += 2;
        }
    }
    if (!data.isEmpty())
        data += 'Z';
    return data;
}

// PostScript colour operands of \a colour.
QByteArray psColour(const QColor &colour)
{
    return num(colour.redF()) + ' ' + num(colour.greenF()) + ' ' + num(colour.blueF()) + " setrgbcolor\n";
}

} // namespace

QString artworkSuffix(ArtworkFormat format)
{
    switch (format) {
    case ArtworkFormat::Svg:
        return u".svg"_s;
    case ArtworkFormat::Pdf:
        return u".pdf"_s;
    case ArtworkFormat::Eps:
        return u".eps"_s;
    }
    return {};
}

std::optional<ArtworkFormat> artworkFormatForPath(const QString &path)
{
    const QString suffix = u'.' + QFileInfo(path).suffix().toLower();
    for (const ArtworkFormat format : {ArtworkFormat::Svg, ArtworkFormat::Pdf, ArtworkFormat::Eps}) {
        if (suffix == artworkSuffix(format))
            return format;
    }
    return std::nullopt;
}

QByteArray svgArtwork(const Artwork &artwork)
{
    const QByteArray width = num(artwork.sizeMm.width());
    const QByteArray height = num(artwork.sizeMm.height());
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
    for (const ArtworkText &text : artwork.texts) {
        const QByteArray data = svgPathData(artwork.outline(text));
        if (!data.isEmpty())
            svg += "<path fill-rule=\"nonzero\" d=\"" + data + "\"/>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

QByteArray epsArtwork(const Artwork &artwork)
{
    const double width = artwork.sizeMm.width() * kPointsPerMm;
    const double height = artwork.sizeMm.height() * kPointsPerMm;
    QByteArray eps = "%!PS-Adobe-3.0 EPSF-3.0\n"
                     "%%Creator: Kelbrix\n"
                     "%%BoundingBox: 0 0 " +
                     QByteArray::number(std::lround(std::ceil(width - 1e-6))) + ' ' +
                     QByteArray::number(std::lround(std::ceil(height - 1e-6))) +
                     "\n"
                     "%%HiResBoundingBox: 0 0 " +
                     num(width) + ' ' + num(height) +
                     "\n"
                     "%%LanguageLevel: 2\n"
                     "%%Pages: 1\n"
                     "%%EndComments\n"
                     "%%Page: 1 1\n"
                     "gsave\n";
    // Millimetres from the top left, as the artwork is measured.
    eps += "0 " + num(height) + " translate " + num(kPointsPerMm) + ' ' + num(-kPointsPerMm) + " scale\n";
    if (!artwork.transparentBackground)
        eps += psColour(artwork.background) + "0 0 " + num(artwork.sizeMm.width()) + ' ' +
               num(artwork.sizeMm.height()) + " rectfill\n";
    eps += psColour(artwork.ink);
    for (const QRectF &bar : artwork.bars)
        eps += num(bar.x()) + ' ' + num(bar.y()) + ' ' + num(bar.width()) + ' ' + num(bar.height()) + " rectfill\n";
    for (const ArtworkText &text : artwork.texts) {
        const QPainterPath path = artwork.outline(text);
        if (path.isEmpty())
            continue;
        eps += "newpath\n";
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.isMoveTo()) {
                eps += (i > 0 ? "closepath " : "") + num(e.x) + ' ' + num(e.y) + " moveto\n";
            } else if (e.isLineTo()) {
                eps += num(e.x) + ' ' + num(e.y) + " lineto\n";
            } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
                const QPainterPath::Element c2 = path.elementAt(i + 1);
                const QPainterPath::Element end = path.elementAt(i + 2);
                eps += num(e.x) + ' ' + num(e.y) + ' ' + num(c2.x) + ' ' + num(c2.y) + ' ' + num(end.x) + ' ' +
                       num(end.y) + " curveto\n";
                i += 2;
            }
        }
        eps += "closepath fill\n";
    }
    eps += "grestore\nshowpage\n%%EOF\n";
    return eps;
}

QByteArray pdfArtwork(const Artwork &artwork)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(u"Kelbrix"_s);
        // At 72 dpi the painter's units are points: the page and every coordinate keep their
        // exact sizes, without a transformation in between.
        writer.setResolution(72);
        const QSizeF points = artwork.sizeMm * kPointsPerMm;
        writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        painter.setPen(Qt::NoPen);
        painter.fillRect(QRectF(QPointF(0, 0), points), artwork.background);
        for (const QRectF &bar : artwork.bars)
            painter.fillRect(QRectF(bar.topLeft() * kPointsPerMm, bar.size() * kPointsPerMm), artwork.ink);
        painter.setPen(artwork.ink);
        for (const ArtworkText &text : artwork.texts) {
            QFont font(artwork.fontFamily);
            font.setBold(artwork.bold);
            font.setItalic(artwork.italic);
            font.setPointSizeF(text.sizeMm * kPointsPerMm);
            font.setHintingPreference(QFont::PreferNoHinting);
            painter.setFont(font);
            const double advance = artwork.advanceMm(text) * kPointsPerMm;
            const double shift = text.alignment == 0 ? -advance / 2 : (text.alignment == 2 ? -advance : 0.0);
            painter.drawText(QPointF(text.x * kPointsPerMm + shift, text.baseline * kPointsPerMm), text.text);
        }
        if (!painter.end())
            return {};
    }
    return buffer.data();
}

QByteArray artworkBytes(const Artwork &artwork, ArtworkFormat format)
{
    switch (format) {
    case ArtworkFormat::Svg:
        return svgArtwork(artwork);
    case ArtworkFormat::Pdf:
        return pdfArtwork(artwork);
    case ArtworkFormat::Eps:
        return epsArtwork(artwork);
    }
    return {};
}

SaveResult saveArtwork(const QString &path, const Artwork &artwork, ArtworkFormat format)
{
    const QByteArray bytes = artworkBytes(artwork, format);
    return saveFileSafely(path,
                          [&](QIODevice &device) { return !bytes.isEmpty() && device.write(bytes) == bytes.size(); });
}

} // namespace Kelbrix
