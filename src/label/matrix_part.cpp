#include "label/matrix_part.h"

#include "base/units.h"

#include <QCoreApplication>

#include <cmath>

namespace Kelbrix {

QString matrixModuleProblem(double moduleMm)
{
    // A hair of tolerance, so that a size typed as 0.396 is not refused for its last bit.
    constexpr double kSlack = 1e-9;
    if (std::isfinite(moduleMm) && moduleMm >= kMatrixModuleMinMm - kSlack && moduleMm <= kMatrixModuleMaxMm + kSlack)
        return {};
    return QCoreApplication::translate("Kelbrix::MatrixPart",
                                       "The module of a 2D symbol must be from %1 to %2 mm (the GS1 table for "
                                       "retail point of sale); %3 mm is outside it.")
        .arg(decimalText(kMatrixModuleMinMm, 3), decimalText(kMatrixModuleMaxMm, 3), decimalText(moduleMm, 3));
}

int matrixModuleDots(double moduleMm, double dotsPerInch)
{
    const double exact = moduleMm * dotsPerInch / kMillimetresPerInch;
    if (!std::isfinite(exact) || exact <= 1)
        return 1;
    const double fewest = std::ceil(kMatrixModuleMinMm * dotsPerInch / kMillimetresPerInch - 1e-9);
    const double most = std::floor(kMatrixModuleMaxMm * dotsPerInch / kMillimetresPerInch + 1e-9);
    double dots = std::round(exact);
    if (fewest <= most)
        dots = std::clamp(dots, fewest, most);
    return std::max(1, int(std::min(dots, 1.0e6)));
}

QList<QRectF> matrixModuleRuns(const MatrixSymbol &symbol, QPointF origin, double module)
{
    QList<QRectF> runs;
    for (int row = 0; row < symbol.rows; ++row) {
        int column = 0;
        while (column < symbol.columns) {
            if (!symbol.dark(column, row)) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < symbol.columns && symbol.dark(column, row))
                ++column;
            runs.append(
                QRectF(origin.x() + start * module, origin.y() + row * module, (column - start) * module, module));
        }
    }
    return runs;
}

} // namespace Kelbrix
