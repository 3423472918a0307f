#pragma once

#include "sheet/label_template.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace Kelbrix {

/// The window that makes or changes a label sheet of the user's own: its name, page, label size,
/// columns and rows, margins, pitch, corner radius and product numbers. OK is refused, with the
/// reason shown, while the sheet is unsound or its name is taken.
class frmLabelTemplate : public QDialog {
    Q_OBJECT
public:
    /// \a sheet is shown to start from; \a takenNames are names the sheet may not have.
    frmLabelTemplate(const LabelTemplate &sheet, const QStringList &takenNames, QWidget *parent = nullptr);

    /// The sheet as the boxes give it.
    LabelTemplate sheet() const;

    void accept() override;

private:
    QString problem() const;

    QStringList m_takenNames;
    QLineEdit *txtName;
    QComboBox *cboPage;
    QDoubleSpinBox *txtWidth;
    QDoubleSpinBox *txtHeight;
    QSpinBox *txtColumns;
    QSpinBox *txtRows;
    QDoubleSpinBox *txtLeft;
    QDoubleSpinBox *txtTop;
    QDoubleSpinBox *txtAcross;
    QDoubleSpinBox *txtDown;
    QDoubleSpinBox *txtRadius;
    QLineEdit *txtProducts;
    QLabel *lblProblem;
};

} // namespace Kelbrix
