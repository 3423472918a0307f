#pragma once

#include <QObject>

class QKeyEvent;
class QLineEdit;

namespace Kelbrix {

/// The typing rule of a short number box of the TIFF window (the resolution, the copies):
/// each typed character goes through filterEntryKey() with the box's limit of characters, and
/// the box selects all its text when it gets the focus.
class EntryKeyFilter : public QObject {
    Q_OBJECT
public:
    /// Watches \a box, which owns the filter, holding at most \a maxChars characters.
    EntryKeyFilter(QLineEdit *box, int maxChars);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// True when the key is dropped.
    bool filterKey(QKeyEvent *event);

    QLineEdit *m_box;
    int m_maxChars;
};

} // namespace Kelbrix
