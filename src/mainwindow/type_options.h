#pragma once

#include "barcode/type_catalogue.h"

#include <QList>
#include <QString>

#include <utility>

class QRadioButton;

namespace Kelbrix {

class Form1;

/// The type, supplement and product-line options of the main window: selecting one sets the
/// TypeCode, the type name in the caption and what the type allows (the supplement frame, the
/// 2-digit supplement, the label of the barcode box).
class TypeOptions {
public:
    /// Connects the option buttons of \a form.
    static void connect(Form1 &form);
    /// The type option buttons with the symbology each selects, in the order they are tested.
    static QList<std::pair<QRadioButton *, Symbology>> buttons(const Form1 &form);

private:
    static void typeSelected(Form1 &form, Symbology symbology);
    static void isbnSelected(Form1 &form);
    static void scc14Selected(Form1 &form);
    static void code39Selected(Form1 &form);
    static void supplementSelected(Form1 &form, int digits);
    static void productLineSelected(Form1 &form);
    static int selectedSupplement(const Form1 &form);
    /// The caption's suffix of the selected supplement, a QT_TRANSLATE_NOOP text of "Form1".
    static const char *supplementSuffix(const Form1 &form);
    /// Sets the caption: the title, \a separator, the type name and \a suffix (a source text
    /// shown in the language of the moment; nullptr for none).
    static void setCaption(Form1 &form, const QString &separator, const char *suffix);
};

} // namespace Kelbrix
