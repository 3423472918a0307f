#include "render/barcode_renderer.h"

#include "render/program_clipboard.h"

#include "base/runtime_errors.h"
#include "barcode/upc_conversion.h"
#include "render/symbol_encoder.h"
#include "render/symbol_text_layout.h"
#include "base/units.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDataStream>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kDefaultPointSize = 9.0;
constexpr double kSmallFontFactor = 0.75;
// Height of the header line left free for ISBN labels, as a part of the font size.
constexpr double kHeaderLineSpacing = 1.25;
// Bar heights of print artwork where the standard gives them in millimetres.
constexpr double kItf14BarHeightMm = 31.75;
constexpr double kCode39MinBarHeightMm = 6.35;
constexpr double kCode39HeightRatio = 0.15;
// Pixels per module of the clipboard picture when the renderer has no width of its own.
constexpr int kFallbackPixelsPerModule = 2;

struct SymbologyInfo {
    ZintSymbology zint;
    int digits; ///< data digits without check digit; 0 for Code 39 (any length)
    int addOn;  ///< 0, 2 or 5
};

std::optional<SymbologyInfo> symbologyInfo(int code)
{
    if (code >= 11 && code <= 16) {
        const bool ean13 = code <= 13;
        const int step = ean13 ? code - 11 : code - 14;
        return SymbologyInfo{ZintSymbology::Ean, ean13 ? 12 : 7, step == 0 ? 0 : (step == 1 ? 2 : 5)};
    }
    if (code >= 5 && code <= 10) {
        const bool upcA = code <= 7;
        const int step = upcA ? code - 5 : code - 8;
        return SymbologyInfo{upcA ? ZintSymbology::UpcA : ZintSymbology::UpcE, upcA ? 11 : 7,
                             step == 0 ? 0 : (step == 1 ? 2 : 5)};
    }
    if (code == 2)
        return SymbologyInfo{ZintSymbology::Itf14, 13, 0};
    if (code == 0)
        return SymbologyInfo{ZintSymbology::Code39, 0, 0};
    return std::nullopt;
}

bool isAsciiDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

/// Data as handed to libzint (without check digit) and as read back (with it).
struct CompletedData {
    QString zintData;
    QString completed;
    QString refusal; ///< why the data does not suit the symbology; empty when it does
};

CompletedData completeData(const SymbologyInfo &info, const QString &data)
{
    CompletedData result;
    if (info.zint == ZintSymbology::Code39) {
        const EncodedSymbol symbol = encodeSymbol(ZintSymbology::Code39, data, true);
        if (!symbol.ok) {
            result.refusal = symbol.error;
            return result;
        }
        // libzint's text shows the start and stop characters around the data.
        QString text = symbol.humanReadable;
        if (text.size() >= 2 && text.startsWith(u'*') && text.endsWith(u'*'))
            text = text.mid(1, text.size() - 2);
        result.zintData = data;
        result.completed = text;
        return result;
    }

    if (data.isEmpty() || !isAsciiDigits(data)) {
        result.refusal = u"the data must be digits"_s;
        return result;
    }
    QString withoutCheck;
    QString withCheck;
    if (info.zint == ZintSymbology::UpcE && data.size() == 11) {
        const std::optional<QString> upcE = upcAToUpcE(data);
        if (!upcE) {
            result.refusal = u"the UPC-A number cannot be zero-suppressed to UPC-E"_s;
            return result;
        }
        withoutCheck = *upcE;
    } else if (data.size() == info.digits) {
        withoutCheck = data;
    } else if (data.size() == info.digits + 1) {
        withoutCheck = data.left(info.digits);
        withCheck = data;
    } else {
        result.refusal = u"the data must have %1 digits"_s.arg(info.digits);
        return result;
    }
    // libzint would quietly turn any other number system into 0.
    if (info.zint == ZintSymbology::UpcE && withoutCheck.at(0) != u'0' && withoutCheck.at(0) != u'1') {
        result.refusal = u"the UPC-E number system must be 0 or 1"_s;
        return result;
    }

    const EncodedSymbol symbol = encodeSymbol(info.zint, withoutCheck, true);
    if (!symbol.ok) {
        result.refusal = symbol.error;
        return result;
    }
    if (!withCheck.isEmpty() && symbol.humanReadable != withCheck) {
        result.refusal = u"wrong check digit: %1 is %2"_s.arg(withCheck, symbol.humanReadable);
        return result;
    }
    result.zintData = withoutCheck;
    result.completed = symbol.humanReadable;
    return result;
}

double pointSize(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    if (font.pixelSize() > 0)
        return font.pixelSize() * kPointsPerInch / kDefaultDotsPerInch;
    return kDefaultPointSize;
}

double deviceScale(const QPainter &painter)
{
    const QTransform device = painter.deviceTransform();
    const double scale = std::hypot(device.m11(), device.m12());
    return scale > 0 ? scale : 1.0;
}

} // namespace

BarcodeRenderer::BarcodeRenderer() : m_data(u"000000000000"_s)
{
    m_look.font = QFont(u"Arial"_s, int(kDefaultPointSize));
    updateCompletedData();
}

bool BarcodeRenderer::refuse(const QString &detail)
{
    m_lastError = RuntimeError::InvalidPropertyValue;
    m_lastErrorDetail = detail;
    return false;
}

bool BarcodeRenderer::succeed()
{
    m_lastError = RuntimeError::None;
    m_lastErrorDetail.clear();
    return true;
}

bool BarcodeRenderer::setSymbology(int code)
{
    if (!symbologyInfo(code))
        return refuse(u"no symbology has the code %1"_s.arg(code));
    // The same symbology again leaves the completed data as it is.
    if (code != m_symbology) {
        m_symbology = code;
        updateCompletedData();
    }
    return succeed();
}

bool BarcodeRenderer::setData(const QString &data)
{
    const std::optional<SymbologyInfo> info = symbologyInfo(m_symbology);
    const CompletedData completed = completeData(*info, data);
    if (!completed.refusal.isEmpty())
        return refuse(completed.refusal);
    m_data = data;
    m_zintData = completed.zintData;
    m_completedData = completed.completed;
    return succeed();
}

QString BarcodeRenderer::data() const
{
    return m_completedData.isEmpty() ? m_data : m_completedData;
}

bool BarcodeRenderer::setSupplement(const QString &supplement)
{
    if (!supplement.isEmpty() && !((supplement.size() == 2 || supplement.size() == 5) && isAsciiDigits(supplement)))
        return refuse(u"a supplement has 2 or 5 digits"_s);
    m_supplement = supplement;
    return succeed();
}

void BarcodeRenderer::setDigitsHidden(bool hidden)
{
    m_look.digitsHidden = hidden;
}

bool BarcodeRenderer::setAlignment(int alignment)
{
    if (alignment != kSymbolAlignLeft && alignment != kSymbolAlignCentre && alignment != kSymbolAlignRight)
        return refuse(u"alignment must be 0, 1 or 2"_s);
    m_look.alignment = alignment;
    return succeed();
}

bool BarcodeRenderer::setHeaderSpace(int value)
{
    if (value != kNoHeaderSpace && value != kIsbnHeaderSpace)
        return refuse(u"header space must be 1 or 17"_s);
    m_look.headerSpace = value;
    return succeed();
}

void BarcodeRenderer::updateCompletedData()
{
    const std::optional<SymbologyInfo> info = symbologyInfo(m_symbology);
    const CompletedData completed = info ? completeData(*info, m_data) : CompletedData();
    m_zintData = completed.zintData;
    m_completedData = completed.completed;
}

bool BarcodeRenderer::hasSymbol() const
{
    const std::optional<SymbologyInfo> info = symbologyInfo(m_symbology);
    return info && !m_completedData.isEmpty() && (info->addOn == 0 || m_supplement.size() == info->addOn);
}

SymbolGeometry BarcodeRenderer::geometry() const
{
    if (!hasSymbol())
        return {};
    const SymbologyInfo info = *symbologyInfo(m_symbology);
    QString zintData = m_zintData;
    if (info.addOn > 0)
        zintData += u'+' + m_supplement;
    EncodeOptions options;
    options.showText = !m_look.digitsHidden;
    options.bearers = m_look.bearers;
    EncodedSymbol symbol = encodeSymbol(info.zint, zintData, options);
    if (!symbol.ok || !(symbol.geometry.width > 0))
        return {};

    // The font size is what the digits measure when the symbol fills its own width.
    const double twipsPerModule = m_boxTwips.width() > 0 ? m_boxTwips.width() / symbol.geometry.width : 0.0;
    const double fontModules = twipsPerModule > 0 ? pointSize(m_look.font) * kTwipsPerPoint / twipsPerModule : 0.0;
    SymbolTextStyle style;
    style.family = m_look.font.family();
    style.bold = m_look.font.bold();
    style.italic = m_look.font.italic();
    style.digitSize = fontModules * (m_look.smallFont ? kSmallFontFactor : 1.0);
    layoutSymbolText(symbol, style);

    if (m_look.headerSpace == kIsbnHeaderSpace) {
        double lineModules = fontModules;
        if (!(lineModules > 0)) {
            for (const SymbolGeometry::Text &text : std::as_const(symbol.geometry.texts))
                lineModules = std::max(lineModules, text.fontSize);
        }
        addTopBand(symbol.geometry, lineModules * kHeaderLineSpacing);
    }
    return symbol.geometry;
}

SymbolGeometry BarcodeRenderer::artworkGeometry(double moduleMm) const
{
    if (!hasSymbol() || !(moduleMm > 0) || !std::isfinite(moduleMm))
        return {};
    const SymbologyInfo info = *symbologyInfo(m_symbology);
    QString zintData = m_zintData;
    if (info.addOn > 0)
        zintData += u'+' + m_supplement;
    EncodeOptions options;
    options.showText = !m_look.digitsHidden;
    options.quietZones = true;
    options.standardHeight = true;
    options.bearers = m_look.bearers;
    if (info.zint == ZintSymbology::Itf14) {
        options.barModules = kItf14BarHeightMm / moduleMm;
    } else if (info.zint == ZintSymbology::Code39) {
        // The height follows the length, which only the encoded symbol gives.
        const EncodedSymbol measured = encodeSymbol(info.zint, zintData, options);
        if (!measured.ok)
            return {};
        options.barModules = std::max(kCode39MinBarHeightMm / moduleMm, kCode39HeightRatio * measured.geometry.width);
    }
    EncodedSymbol symbol = encodeSymbol(info.zint, zintData, options);
    if (!symbol.ok || !(symbol.geometry.width > 0))
        return {};
    SymbolTextStyle style;
    style.family = m_look.font.family();
    style.bold = m_look.font.bold();
    style.italic = m_look.font.italic();
    layoutSymbolText(symbol, style);
    return symbol.geometry;
}

QRectF BarcodeRenderer::symbolRect(double scale, const SymbolGeometry &symbol, const QRectF &target) const
{
    QRectF rect = target;
    if (m_look.retainAspectRatio) {
        const double fit = std::min(target.width() / symbol.width, target.height() / symbol.height);
        rect.setSize(QSizeF(symbol.width * fit, symbol.height * fit));
    }
    if (m_look.pixelAlign) {
        const int pixels = wholePixelsPerModule(symbol, rect.width() * scale);
        const double used = pixels * symbol.width / scale;
        if (m_look.retainAspectRatio)
            rect.setHeight(used * symbol.height / symbol.width);
        rect.setWidth(used);
    }
    const double free = target.width() - rect.width();
    double left = target.left() + free / 2.0;
    if (m_look.alignment == kSymbolAlignLeft)
        left = target.left();
    else if (m_look.alignment == kSymbolAlignRight)
        left = target.left() + free;
    rect.moveLeft(left);
    return rect;
}

void BarcodeRenderer::draw(QPainter &painter, const QRectF &target) const
{
    if (target.isEmpty())
        return;
    const SymbolGeometry symbol = geometry();
    if (symbol.isEmpty()) {
        painter.fillRect(target, m_look.backColor);
        return;
    }
    paintSymbolOver(painter, symbol, symbolRect(deviceScale(painter), symbol, target), m_look.pixelAlign, target,
                    m_look.backColor);
}

double BarcodeRenderer::moduleWidth(const QSizeF &target) const
{
    const SymbolGeometry symbol = geometry();
    if (symbol.isEmpty() || target.isEmpty())
        return 0;
    return symbolRect(1.0, symbol, QRectF(QPointF(0, 0), target)).width() / symbol.width;
}

QImage BarcodeRenderer::image(QSize pixels) const
{
    if (pixels.isEmpty())
        return {};
    QImage picture(pixels, QImage::Format_RGB32);
    picture.fill(m_look.backColor);
    QPainter painter(&picture);
    draw(painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return picture;
}

bool BarcodeRenderer::copyToClipboard(double width, double height) const
{
    if (!(width > 0) || !(height > 0) || !std::isfinite(width) || !std::isfinite(height))
        return false;
    // Drawing the digits needs fonts, and so a QGuiApplication.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()) || !ProgramClipboard::available())
        return false;
    const SymbolGeometry symbol = geometry();
    if (symbol.isEmpty())
        return false;

    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : kDefaultDotsPerInch;
    const int pictureWidth = m_boxTwips.width() > 0 ? twipsToWholePixels(m_boxTwips.width(), dpi)
                                                    : int(std::ceil(symbol.width)) * kFallbackPixelsPerModule;
    const int pictureHeight = std::max(1, int(std::lround(pictureWidth * height / width)));
    // An absurd aspect ratio would ask for a picture no one can hold.
    if (pictureHeight > 100 * std::max(pictureWidth, 100))
        return false;
    const QSize size(pictureWidth, pictureHeight);

    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(kSymbolMimeType), symbol.toBytes());
    if (ProgramClipboard::isPrivate()) {
        // Only the image converter reads the private clipboard, and it redraws the symbol from
        // its geometry in the proportions of the picture: the picture and its SVG are not made.
        QByteArray shown;
        QDataStream out(&shown, QIODevice::WriteOnly);
        out << qint32(size.width()) << qint32(size.height());
        mime->setData(QString::fromLatin1(kSymbolSizeMimeType), shown);
        return ProgramClipboard::setData(mime);
    }

    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        QPainter painter(&generator);
        draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }

    mime->setImageData(image(size));
    mime->setData(u"image/svg+xml"_s, svg.data());
    return ProgramClipboard::setData(mime);
}

} // namespace Kelbrix
