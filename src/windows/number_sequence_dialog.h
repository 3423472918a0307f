#pragma once

#include "barcode/number_sequence.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace Kelbrix {

/// The "Number Sequence" window: a GS1 company prefix, the first item reference, how many
/// numbers and the product name pattern. OK makes the sequence; a refused one is explained
/// and the window stays open.
class NumberSequenceDialog : public QDialog {
    Q_OBJECT
public:
    explicit NumberSequenceDialog(QWidget *parent = nullptr);

    /// The sequence made when the window was accepted.
    const NumberSequence &sequence() const { return m_sequence; }

    void accept() override;

private:
    QLineEdit *txtPrefix = nullptr;
    QLineEdit *txtFirstItem = nullptr;
    QSpinBox *txtCount = nullptr;
    QLineEdit *txtPattern = nullptr;
    NumberSequence m_sequence;
};

} // namespace Kelbrix
