#include "windows/entry_key_filter.h"

#include "export/tiff_parameters.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace Kelbrix {

EntryKeyFilter::EntryKeyFilter(QLineEdit *box, int maxChars) : QObject(box), m_box(box), m_maxChars(maxChars)
{
    box->installEventFilter(this);
}

bool EntryKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return filterKey(static_cast<QKeyEvent *>(event));
        case QEvent::FocusIn:
            // After the click that brought the focus has placed the caret.
            QTimer::singleShot(0, m_box, &QLineEdit::selectAll);
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool EntryKeyFilter::filterKey(QKeyEvent *event)
{
    // Keys that type nothing (arrows, Delete, Tab, Enter for OK, shortcuts) are not the
    // filter's business.
    const QString typed = event->text();
    if (typed.size() != 1 || (!typed[0].isPrint() && typed[0] != u'\b') ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const bool allSelected = !m_box->text().isEmpty() && m_box->selectedText() == m_box->text();
    switch (filterEntryKey(typed[0], m_box->text(), allSelected, m_maxChars)) {
    case KeyDecision::Drop:
        return true;
    case KeyDecision::ClearThenInsert:
        m_box->clear();
        return false;
    case KeyDecision::Insert:
        return false;
    }
    return false;
}

} // namespace Kelbrix
