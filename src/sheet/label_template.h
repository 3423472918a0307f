#pragma once

#include <QList>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

namespace Kelbrix {

/// A sheet of self-adhesive labels as its maker describes it. Lengths in millimetres.
struct LabelTemplate {
    QString name;
    QPageSize::PageSizeId page = QPageSize::A4;
    QSizeF label; ///< width and height of one label
    int columns = 1;
    int rows = 1;
    QPointF margin;          ///< from the page's left and top edge to the first label
    QSizeF pitch;            ///< from one label to the next across and down
    double cornerRadius = 0; ///< for the preview only
    QStringList products;    ///< makers' product numbers, such as "Avery L7160"
    QString source;          ///< where the dimensions come from

    int labelsPerSheet() const { return columns * rows; }
    /// The page size in millimetres, portrait.
    QSizeF pageSize() const;
    /// The \a cell th label of a sheet (0-based, row by row from the top left).
    QRectF cellRect(int cell) const;
};

/// Why \a sheet cannot be printed on, in a sentence (sizes not finite and positive, labels that
/// overlap or run off the page), or an empty text when it is sound.
QString templateProblem(const LabelTemplate &sheet);

/// The sheets the program knows, from its resources, in catalogue order.
QList<LabelTemplate> builtInTemplates();

/// The template of \a templates whose name or one of whose product numbers is \a nameOrProduct
/// (letter case and blanks aside; "L7160" finds "Avery L7160").
std::optional<LabelTemplate> findTemplate(const QList<LabelTemplate> &templates, const QString &nameOrProduct);

/// What findTemplate compares of a name or product number: \a text with letter case and
/// blanks aside.
QString templateNameKey(const QString &text);

/// One line for a list of templates: the name, the page, columns x rows, the label size in mm and
/// the product numbers, separated by tabs.
QString templateLine(const LabelTemplate &sheet);

} // namespace Kelbrix
