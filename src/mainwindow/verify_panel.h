#pragma once

#include "verify/label_verdict.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QStatusBar;

namespace Kelbrix {

class BackgroundVerifier;
class HintPanel;

/// The read-back verdict of the main label, a panel of its own in the status bar beside the
/// hints: after each new label the label is decoded on a worker thread and the panel says
/// whether it scans.
class VerifyPanel : public QObject {
    Q_OBJECT
public:
    /// A label to read and what it should hold; a null image when there is none to read (no
    /// symbol, or a batch that checks its own files).
    struct Label {
        QImage image;
        QString typeCode;
        QString data;
        QString supplement;
        MatrixExpectation matrix; ///< the 2D symbol the label carries, if any
    };
    /// Adds the panel (object name "lblVerify") to \a statusBar, with its hint in \a hints;
    /// \a current gives the label as it is when it is read.
    VerifyPanel(QStatusBar *statusBar, HintPanel &hints, std::function<Label()> current);

    QLabel *panel() const { return m_panel; }
    /// A new label was drawn: it is read once the window is idle again, so "&Make Code" does
    /// not wait for the reader's copy and a burst of labels reads only the last.
    void labelChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void read();
    void show(const LabelVerdict &verdict);

    QLabel *m_panel = nullptr;
    HintPanel &m_hints;
    std::function<Label()> m_current;
    BackgroundVerifier *m_verifier = nullptr;
    bool m_scheduled = false;
};

} // namespace Kelbrix
