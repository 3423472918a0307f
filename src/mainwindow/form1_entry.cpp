// The entry boxes of the main window: key filters, the change rules with the check-digit
// cut-back, the ISBN checks, the enabling rule, the copies rule, and the commands.
#include "mainwindow/form1.h"

#include "barcode/check_characters.h"
#include "barcode/entry_rules.h"
#include "base/user_prompt.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QListView>
#include <QTimer>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView3) {
        switch (event->type()) {
        case QEvent::FocusIn:
            TypeFromList = true;
            break;
        case QEvent::FocusOut:
            TypeFromList = false;
            break;
        case QEvent::KeyPress:
            UpdateBarcodeView();
            break;
        case QEvent::KeyRelease:
            onListKeyRelease();
            break;
        default:
            break;
        }
    } else if (watched == List1) {
        // "&Make Code" is not the default button while the product list has the focus.
        if (event->type() == QEvent::FocusIn)
            Command1->setDefault(false);
        else if (event->type() == QEvent::FocusOut)
            Command1->setDefault(true);
    }
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
    return QMainWindow::eventFilter(watched, event);
}

bool Form1::filterKeyPress(QLineEdit *box, QKeyEvent *event)
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
        setHint(code39TooLongHint());
    if (!decision.accept)
        return true;
    if (decision.clearFirst)
        box->clear();
    box->insert(QString(decision.character));
    return true;
}

void Form1::onBarcodeChanged()
{
    if (m_inBarcodeChange)
        return;
    m_inBarcodeChange = true;

    const QString fromList = typeCodeFromList();
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
        setHint(code39TooLongHint());
    if (cleaned != original)
        TxtStreck->setText(cleaned);
    // Any change of the entry, even one the cut-back undoes (a 14th character typed), has the
    // ISBN check judge it again; only keys that leave the text alone are not judged twice.
    if (original != m_lastIsbnJudged)
        m_lastIsbnJudged.clear();

    updateCommandsEnabled();
    m_inBarcodeChange = false;
}

void Form1::onSupplementChanged()
{
    const QString original = txtSup->text();
    QString cleaned = digitsOnly(original);
    if (SupplementLength > 0 && cleaned.size() > SupplementLength)
        cleaned.truncate(SupplementLength);
    if (cleaned != original) {
        txtSup->setText(cleaned);
        return; // the change this causes runs the rule
    }
    const bool complete = TxtStreck->text().size() == EntryLength && txtSup->text().size() == SupplementLength;
    Command4->setEnabled(complete);
    Command1->setEnabled(complete);
}

void Form1::updateCommandsEnabled()
{
    const bool complete =
        entryComplete(int(TxtStreck->text().size()), int(txtSup->text().size()), EntryLength, SupplementLength);
    Command4->setEnabled(complete);
    Command1->setEnabled(complete);
}

void Form1::onCopiesChanged()
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

void Form1::IsbnCheckOnKeyUp(int key)
{
    if (!isIsbnCode(TypeCode) || ListItemInWork != 0 || key == Qt::Key_Left || key == Qt::Key_Right)
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

void Form1::onClear()
{
    TxtStreck->clear();
    txtSup->clear();
    txtProduct->clear();
    txtFree->clear();
    txtProduct->setFocus();
}

} // namespace Kelbrix
