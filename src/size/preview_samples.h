#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

namespace Kelbrix {

/// What the size window's preview can show: one entry per preview option, with the sample
/// data it draws and the minimum size "&Use Minimum" fills in.
struct PreviewSample {
    QString option;            ///< object name of the option button
    QString caption;           ///< its caption
    QString typeName;          ///< the type's name, which starts the option's hint
    int symbology = 0;         ///< renderer symbology code
    QString data;              ///< sample data, without check digit
    QString supplement;        ///< sample add-on, empty for none
    QSizeF minimumMillimetres; ///< width and height "&Use Minimum" fills in; empty for none

    bool isCode39() const { return symbology == 0; }
    /// The status-bar hint of the option.
    QString hint() const;
};

/// The 16 preview options in the order the window shows them: EAN-13 with its add-ons, EAN-8
/// with its add-ons, ISBN, ISBN with 5 digits, SCC-14, UPC-A and UPC-E with their add-ons,
/// Code 39.
const QList<PreviewSample> &previewSamples();

/// The sample shown by option \a option; the EAN-13 sample for an unknown name.
const PreviewSample &previewSample(const QString &option);

} // namespace Kelbrix
