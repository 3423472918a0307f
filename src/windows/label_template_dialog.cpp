#include "windows/label_template_dialog.h"

#include "widgets/named.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

frmLabelTemplate::frmLabelTemplate(const LabelTemplate &sheet, const QStringList &takenNames, QWidget *parent)
    : QDialog(parent), m_takenNames(takenNames)
{
    setObjectName(u"frmLabelTemplate"_s);
    setWindowTitle(QCoreApplication::translate("LabelTemplateDialog", "Label Sheet"));
    const auto millimetres = [this](const QString &name, double value, double highest) {
        auto *box = named(new QDoubleSpinBox(this), name);
        box->setRange(0, highest);
        box->setDecimals(2);
        box->setSuffix(QCoreApplication::translate("LabelTemplateDialog", " mm"));
        box->setValue(value);
        return box;
    };
    const auto count = [this](const QString &name, int value) {
        auto *box = named(new QSpinBox(this), name);
        box->setRange(1, 100);
        box->setValue(value);
        return box;
    };
    txtName = named(new QLineEdit(sheet.name, this), u"txtName"_s);
    cboPage = named(new QComboBox(this), u"cboPage"_s);
    cboPage->addItem(u"A4"_s, int(QPageSize::A4));
    cboPage->addItem(u"Letter"_s, int(QPageSize::Letter));
    cboPage->setCurrentIndex(sheet.page == QPageSize::Letter ? 1 : 0);
    txtWidth = millimetres(u"txtWidth"_s, sheet.label.width(), 300);
    txtHeight = millimetres(u"txtHeight"_s, sheet.label.height(), 300);
    txtColumns = count(u"txtColumns"_s, sheet.columns);
    txtRows = count(u"txtRows"_s, sheet.rows);
    txtLeft = millimetres(u"txtLeft"_s, sheet.margin.x(), 300);
    txtTop = millimetres(u"txtTop"_s, sheet.margin.y(), 300);
    txtAcross = millimetres(u"txtAcross"_s, sheet.pitch.width(), 300);
    txtDown = millimetres(u"txtDown"_s, sheet.pitch.height(), 300);
    txtRadius = millimetres(u"txtRadius"_s, sheet.cornerRadius, 50);
    txtProducts = named(new QLineEdit(sheet.products.join(u", "_s), this), u"txtProducts"_s);
    lblProblem = named(new QLabel(this), u"lblProblem"_s);
    lblProblem->setWordWrap(true);

    auto *form = new QFormLayout;
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "&Name:"), txtName);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "&Page:"), cboPage);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "Label &width:"), txtWidth);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "Label &height:"), txtHeight);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "&Columns:"), txtColumns);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "&Rows:"), txtRows);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "&Left margin:"), txtLeft);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "&Top margin:"), txtTop);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "Pitch &across:"), txtAcross);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "Pitch &down:"), txtDown);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "Corner rad&ius:"), txtRadius);
    addLabelledRow(form, this, QCoreApplication::translate("LabelTemplateDialog", "Product n&umbers:"), txtProducts);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    named(buttons->button(QDialogButtonBox::Ok), u"cmdOk"_s);
    named(buttons->button(QDialogButtonBox::Cancel), u"cmdCancel"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmLabelTemplate::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblProblem);
    layout->addWidget(buttons);
}

LabelTemplate frmLabelTemplate::sheet() const
{
    LabelTemplate made;
    made.name = txtName->text().simplified();
    made.page = QPageSize::PageSizeId(cboPage->currentData().toInt());
    made.label = QSizeF(txtWidth->value(), txtHeight->value());
    made.columns = txtColumns->value();
    made.rows = txtRows->value();
    made.margin = QPointF(txtLeft->value(), txtTop->value());
    made.pitch = QSizeF(txtAcross->value(), txtDown->value());
    made.cornerRadius = txtRadius->value();
    for (const QString &product : txtProducts->text().split(u',', Qt::SkipEmptyParts))
        if (!product.simplified().isEmpty())
            made.products << product.simplified();
    made.source = u"made by the user"_s;
    return made;
}

QString frmLabelTemplate::problem() const
{
    const LabelTemplate made = sheet();
    if (made.name.isEmpty())
        return QCoreApplication::translate("LabelTemplateDialog", "The sheet needs a name.");
    for (const QString &taken : m_takenNames)
        if (taken.compare(made.name, Qt::CaseInsensitive) == 0)
            return QCoreApplication::translate("LabelTemplateDialog", "There is a sheet called %1 already.")
                .arg(made.name);
    return templateProblem(made);
}

void frmLabelTemplate::accept()
{
    const QString why = problem();
    lblProblem->setText(why);
    if (why.isEmpty())
        QDialog::accept();
}

} // namespace Kelbrix
