// The entry boxes of the main window: key filters, the change rules with the check-digit
// cut-back, the ISBN checks, the enabling rule, the copies rule, and the entry's commands.
#include "mainwindow/entry_panel.h"

#include "barcode/check_characters.h"
#include "barcode/entry_rules.h"
#include "barcode/type_catalogue.h"
#include "base/user_prompt.h"
#include "mainwindow/batch_runner.h"
#include "mainwindow/export_lock.h"
#include "mainwindow/form1.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/type_options.h"
#include "settings/settings_store.h"
#include "widgets/named.h"
#include "widgets/translation.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

EntryPanel::EntryPanel(Form1 &form) : QObject(&form), m_form(form)
{
}

QWidget *EntryPanel::build(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    // The boxes and the commands that change the entry sit in containers of their own, so a
    // running export can lock them as a whole while "Cancel" stays usable.
    auto *fields = new QWidget(panel);
    auto *grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);

    const auto label = [fields](const char *caption, const QString &name) {
        return named(translated(new QLabel(fields), "text", "Form1", caption), name);
    };
    Label2 = label(QT_TRANSLATE_NOOP("Form1", "Barcode"), u"Label2"_s);
    QLabel *Label3 = label(QT_TRANSLATE_NOOP("Form1", "Product"), u"Label3"_s);
    QLabel *Label4 = label(QT_TRANSLATE_NOOP("Form1", "Free Text"), u"Label4"_s);
    QLabel *Label5 = label(QT_TRANSLATE_NOOP("Form1", "Copies"), u"Label5"_s);
    TxtStreck = named(new QLineEdit(fields), u"TxtStreck"_s);
    txtSup = named(new QLineEdit(fields), u"txtSup"_s);
    txtProduct = named(new QLineEdit(fields), u"txtProduct"_s);
    txtFree = named(new QLineEdit(fields), u"txtFree"_s);
    txtCopies = named(new QLineEdit(fields), u"txtCopies"_s);
    chkModulus43 =
        named(translated(new QCheckBox(fields), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "A&dd Check character")),
              u"chkModulus43"_s);

    const int digitWidth = m_form.fontMetrics().horizontalAdvance(u'0');
    TxtStreck->setMinimumWidth(digitWidth * 20);
    txtSup->setMaximumWidth(digitWidth * 9);
    txtCopies->setMaximumWidth(digitWidth * 6);
    txtSup->setPlaceholderText(u"+"_s);

    Label2->setBuddy(TxtStreck);
    Label3->setBuddy(txtProduct);
    Label4->setBuddy(txtFree);
    Label5->setBuddy(txtCopies);

    grid->addWidget(Label2, 0, 0);
    grid->addWidget(TxtStreck, 0, 1);
    grid->addWidget(txtSup, 0, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(txtProduct, 1, 1, 1, 2);
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(txtFree, 2, 1, 1, 2);
    grid->addWidget(Label5, 3, 0);
    grid->addWidget(txtCopies, 3, 1, Qt::AlignLeft);
    grid->addWidget(chkModulus43, 4, 1, 1, 2);

    column->addWidget(fields);
    auto *buttons = new QHBoxLayout;
    auto *entryCommands = new QWidget(panel);
    auto *commands = new QHBoxLayout(entryCommands);
    commands->setContentsMargins(0, 0, 0, 0);
    const auto button = [entryCommands](const char *caption, const QString &name) {
        return named(translated(new QPushButton(entryCommands), "text", "Form1", caption), name);
    };
    Command1 = button(QT_TRANSLATE_NOOP("Form1", "&Make Code"), u"Command1"_s);
    Command4 = button(QT_TRANSLATE_NOOP("Form1", "&Add to List"), u"Command4"_s);
    Command2 = button(QT_TRANSLATE_NOOP("Form1", "&Clear"), u"Command2"_s);
    commands->addWidget(Command1);
    commands->addWidget(Command4);
    commands->addWidget(Command2);
    buttons->addWidget(entryCommands);
    buttons->addStretch(1);
    // The batch runner answers "Cancel".
    buttons->addWidget(named(translated(new QPushButton(panel), "text", "Form1", QT_TRANSLATE_NOOP("Form1", "Cancel")),
                             u"cmdCancel"_s));
    column->addLayout(buttons);
    m_form.exportLock().addControls({fields, entryCommands});

    QWidget::setTabOrder(TxtStreck, txtSup);
    QWidget::setTabOrder(txtSup, txtProduct);
    QWidget::setTabOrder(txtProduct, txtFree);
    QWidget::setTabOrder(txtFree, txtCopies);
    QWidget::setTabOrder(txtCopies, Command1);
    return panel;
}

void EntryPanel::connectHandlers()
{
    connect(TxtStreck, &QLineEdit::textChanged, this, &EntryPanel::onBarcodeChanged);
    connect(txtSup, &QLineEdit::textChanged, this, &EntryPanel::onSupplementChanged);
    connect(txtCopies, &QLineEdit::textChanged, this, &EntryPanel::onCopiesChanged);
    connect(Command1, &QPushButton::clicked, &m_form, [this] { m_form.label().onMakeCode(); });
    connect(Command2, &QPushButton::clicked, this, &EntryPanel::onClear);
    connect(Command4, &QPushButton::clicked, &m_form, [this] { m_form.list().onAddToList(); });
    for (QLineEdit *box : {TxtStreck, txtSup, txtProduct, txtFree, txtCopies})
        box->installEventFilter(this);
}

void EntryPanel::startUp()
{
    // Qt gives every control the desktop's interface font already.
    txtCopies->setText(u"1"_s);
    TypeCode = u"E130"_s;
    EntryLength = 12;
}

void EntryPanel::readyForTyping()
{
    // Disabled after the restored options' handlers have run, which enable them for Code 39:
    // every type starts with both disabled until an entry is typed.
    Command4->setEnabled(false);
    Command1->setEnabled(false);
    // The user starts by typing the barcode.
    TxtStreck->setFocus();
}

bool EntryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (auto *box = qobject_cast<QLineEdit *>(watched)) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return filterKeyPress(box, static_cast<QKeyEvent *>(event));
        case QEvent::KeyRelease:
            if (box == TxtStreck)
                IsbnCheckOnKeyUp(static_cast<QKeyEvent *>(event)->key());
            break;
        case QEvent::FocusIn:
            if (box == TxtStreck || box == txtSup)
                Command1->setDefault(true);
            // Deferred, because a mouse click that gives the focus places the caret after this.
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
            break;
        case QEvent::FocusOut:
            // Only leaving the barcode box ends "&Make Code" being the default button.
            if (box == TxtStreck)
                Command1->setDefault(false);
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool EntryPanel::filterKeyPress(QLineEdit *box, QKeyEvent *event)
{
    // While "&Make Code" is the default button, Enter in any box presses it when it is enabled.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Command1->isDefault()) {
        if (Command1->isEnabled())
            Command1->click();
        return true;
    }
    if (box != TxtStreck && box != txtSup && box != txtCopies)
        return false;
    // Only typed characters are filtered; editing keys and shortcuts (Ctrl+V...) pass.
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QChar key = text.front();
    if (key.category() == QChar::Other_Control)
        return false;

    const BoxState state{int(box->text().size()), int(box->selectedText().size())};
    KeyDecision decision;
    if (box == TxtStreck)
        decision = filterBarcodeKey(TypeCode, key, state, EntryLength);
    else if (box == txtSup)
        decision = filterDigitKey(key, state, SupplementLength);
    else
        decision = filterDigitKey(key, state, -1);

    if (decision.tooLong)
        m_form.setHint(code39TooLongHint());
    if (!decision.accept)
        return true;
    if (decision.clearFirst)
        box->clear();
    box->insert(QString(decision.character));
    return true;
}

void EntryPanel::onBarcodeChanged()
{
    if (m_inBarcodeChange)
        return;
    m_inBarcodeChange = true;

    const QString fromList = m_form.list().typeCodeFromList();
    if (!fromList.isEmpty())
        TypeCode = fromList;
    if (TypeCode == u"Co39"_s)
        EntryLength = -1;

    // Keys are filtered as they are typed; a pasted or dropped text is cleaned the same
    // way, then loses a check character it brought with it.
    const QString original = TxtStreck->text();
    const QString sanitized = sanitizeBarcodeText(TypeCode, original);
    const QString cleaned = cutBackCheckCharacter(TypeCode, sanitized);
    if (TypeCode == u"Co39"_s && sanitized.size() == kCode39MaxLength && original.size() > kCode39MaxLength)
        m_form.setHint(code39TooLongHint());
    if (cleaned != original)
        TxtStreck->setText(cleaned);
    // Any change of the entry, even one the cut-back undoes (a 14th character typed), has the
    // ISBN check judge it again; only keys that leave the text alone are not judged twice.
    if (original != m_lastIsbnJudged)
        m_lastIsbnJudged.clear();

    updateCommandsEnabled();
    m_inBarcodeChange = false;
}

void EntryPanel::onSupplementChanged()
{
    const QString original = txtSup->text();
    QString cleaned = digitsOnly(original);
    if (SupplementLength > 0 && cleaned.size() > SupplementLength)
        cleaned.truncate(SupplementLength);
    if (cleaned != original) {
        txtSup->setText(cleaned);
        return; // the change this causes runs the rule
    }
    setCommandsEnabled(TxtStreck->text().size() == EntryLength && txtSup->text().size() == SupplementLength);
}

void EntryPanel::updateCommandsEnabled()
{
    setCommandsEnabled(
        entryComplete(int(TxtStreck->text().size()), int(txtSup->text().size()), EntryLength, SupplementLength));
}

void EntryPanel::setCommandsEnabled(bool on)
{
    Command4->setEnabled(on);
    Command1->setEnabled(on);
}

void EntryPanel::onCopiesChanged()
{
    const QString original = txtCopies->text();
    const QString cleaned = digitsOnly(original);
    if (cleaned != original) {
        txtCopies->setText(cleaned);
        return;
    }
    const CopiesDecision decision = applyCopiesRule(cleaned);
    if (decision.text != cleaned) {
        txtCopies->setText(decision.text);
        return;
    }
    if (decision.tooMany) {
        ask(QCoreApplication::translate("Form1", "You can make max 50 copies at a time"), applicationTitle(),
            PromptIcon::Exclamation, PromptButtons::Ok);
    }
}

void EntryPanel::IsbnCheckOnKeyUp(int key)
{
    if (!isIsbnCode(TypeCode) || m_form.batch().recordInWork() != 0 || key == Qt::Key_Left || key == Qt::Key_Right)
        return;
    const QString entry = TxtStreck->text();
    // Only a complete entry is judged, and each entry once: moving the caret or pressing
    // Shift over an entry the user has accepted asks nothing again.
    if (entry.size() != 13 || entry == m_lastIsbnJudged)
        return;
    m_lastIsbnJudged = entry;

    const IsbnCheck check = checkIsbn(entry);
    if (!check.dividersOk()) {
        ask(QCoreApplication::translate("Form1", "ISBN code is wrong to few deviders (-), you should have 3"),
            QCoreApplication::translate("Form1", "ISBN Devider Error."), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    if (check.checkCharacterWrong(entry)) {
        const PromptAnswer answer =
            ask(QCoreApplication::translate("Form1", "The ISBN code input is wrong, expected %1. Accept Input anyway ?")
                    .arg(check.expected),
                QCoreApplication::translate("Form1", "ISBN Error"), PromptIcon::Exclamation, PromptButtons::YesNo);
        if (answer == PromptAnswer::No) {
            TxtStreck->setText(entry.left(12));
            TxtStreck->setCursorPosition(12);
            m_lastIsbnJudged.clear();
        }
    }
}

void EntryPanel::onClear()
{
    TxtStreck->clear();
    txtSup->clear();
    txtProduct->clear();
    txtFree->clear();
    txtProduct->setFocus();
}

void EntryPanel::ApplyBarcodeType()
{
    const QString fromList = m_form.list().typeCodeFromList();
    if (!fromList.isEmpty())
        TypeCode = fromList;
    showModulus43ForType();
    if (const TypeInfo *type = findType(TypeCode)) {
        EntryLength = qint16(type->entryLength);
        SupplementLength = qint16(type->supplementLength);
        txtSup->setEnabled(SupplementLength > 0);
    }
    updateCommandsEnabled();
}

void EntryPanel::showModulus43ForType()
{
    if (TypeCode == u"Co39"_s) {
        chkModulus43->setVisible(true);
    } else {
        chkModulus43->setChecked(false);
        chkModulus43->setVisible(false);
    }
}

void EntryPanel::uncheckModulus43()
{
    chkModulus43->setChecked(false);
}

void EntryPanel::TypeCodeFromOptions()
{
    const QString code = m_form.options().typeCodeOfOptions();
    if (code.isEmpty())
        return;
    TypeCode = code;
    if (TypeCode == u"Co39"_s)
        Code39CheckCharacter();
}

void EntryPanel::Code39CheckCharacter()
{
    if (!chkModulus43->isChecked())
        return;
    const QString entry = TxtStreck->text();
    const QString withCheck = withCode39CheckCharacter(entry);
    // The renderer would refuse a check character past the longest Code 39 it draws.
    if (withCheck.size() > kCode39MaxLength) {
        m_form.setHint(code39TooLongHint());
        return;
    }
    if (withCheck != entry)
        TxtStreck->setText(withCheck);
}

QString EntryPanel::barcode() const
{
    return TxtStreck->text();
}

void EntryPanel::setBarcode(const QString &text)
{
    TxtStreck->setText(text);
}

QString EntryPanel::supplement() const
{
    return txtSup->text();
}

void EntryPanel::setSupplement(const QString &text)
{
    txtSup->setText(text);
}

QString EntryPanel::product() const
{
    return txtProduct->text();
}

void EntryPanel::setProduct(const QString &text)
{
    txtProduct->setText(text);
}

QString EntryPanel::freeText() const
{
    return txtFree->text();
}

void EntryPanel::setFreeText(const QString &text)
{
    txtFree->setText(text);
}

int EntryPanel::copiesValue() const
{
    int value = 0;
    for (QChar c : txtCopies->text()) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min(value * 10 + c.digitValue(), 50);
    }
    return value;
}

void EntryPanel::setBarcodeCaption(const char *source)
{
    setTranslated(Label2, "text", "Form1", source);
}

void EntryPanel::setMakeCodeDefault(bool on)
{
    Command1->setDefault(on);
}

void EntryPanel::loadSettings(const SettingsStore &settings)
{
    const QString listCode = settings.value(u"Listkod"_s);
    if (listCode.isEmpty()) {
        TypeCode = u"E130"_s;
        EntryLength = 12;
    } else if (const TypeInfo *type = findType(listCode)) {
        TypeCode = type->code;
        EntryLength = qint16(type->entryLength);
    }
}

void EntryPanel::saveSettings(SettingsStore &settings) const
{
    QString listCode = m_form.options().typeCodeOfOptions();
    if (listCode.isEmpty())
        listCode = TypeCode.isEmpty() ? u"E130"_s : QString();
    settings.setValue(u"Listkod"_s, listCode);
}

} // namespace Kelbrix
