#pragma once

#include "render/matrix_symbol.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace Kelbrix {

/// The module sizes GS1 allows for 2D symbols scanned at retail point of sale,
/// in millimetres, and the size the program starts with.
inline constexpr double kMatrixModuleMinMm = 0.396;
inline constexpr double kMatrixModuleMaxMm = 0.990;
inline constexpr double kMatrixModuleDefaultMm = 0.495;

/// How far the whole 2D symbol of a dual-marked label, quiet zone included, may reach from the
/// centre of the linear symbol.
inline constexpr double kDualReachMm = 50;

/// The 2D symbol of a label: beside the linear symbol, or alone.
struct MatrixPart {
    MatrixSymbol symbol;
    double moduleMm = kMatrixModuleDefaultMm;
    bool alone = false; ///< the 2D symbol without the linear one

    bool isEmpty() const { return symbol.isEmpty(); }
};

/// Why \a moduleMm cannot be a 2D symbol's module ("... must be from 0.396 to 0.990 mm"); empty
/// when it is within the table.
QString matrixModuleProblem(double moduleMm);

/// The number of dots a module of \a moduleMm takes at \a dotsPerInch: the nearest whole number,
/// moved up or down by one where that is needed to stay within the table. At least 1.
int matrixModuleDots(double moduleMm, double dotsPerInch);

/// The dark modules of \a symbol as rectangles, one per run of dark modules in a row, with the
/// symbol's top left module at \a origin and each module \a module wide and high.
QList<QRectF> matrixModuleRuns(const MatrixSymbol &symbol, QPointF origin, double module);

} // namespace Kelbrix
