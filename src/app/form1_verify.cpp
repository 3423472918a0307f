// Reading the main label back: after every new label the reader decodes it on a worker thread
// and the status bar shows whether it scans. The verdict has its own panel, so it never
// replaces a hint or a progress text.
#include "app/form1.h"

#include "app/label_picture.h"
#include "verify/background_verifier.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString kVerifyHint = u"Shows whether your barcode scans: it is read back after each Make Code."_s;

} // namespace

void Form1::buildVerify()
{
    lblVerify = new QLabel(StatBar1);
    lblVerify->setObjectName(u"lblVerify"_s);
    // The verdict repeats what the user typed: plain text, never markup.
    lblVerify->setTextFormat(Qt::PlainText);
    StatBar1->addPermanentWidget(lblVerify);
    m_hints.insert(lblVerify, kVerifyHint);
    lblVerify->setMouseTracking(true);
    lblVerify->installEventFilter(this);

    m_verifier = new BackgroundVerifier(this);
    connect(m_verifier, &BackgroundVerifier::verdictReady, this,
            [this](const LabelVerdict &verdict) { showVerdict(verdict); });
}

void Form1::verifyMainLabel()
{
    // A batch draws one label after another and reads back the files it writes itself;
    // reading every passing label as well would only slow it down.
    if (ListItemInWork != 0 || !Barcode1.hasSymbol() || picTST->image().isNull()) {
        m_verifier->cancel();
        showVerdict({});
        return;
    }
    // Until the new verdict comes, the old one would speak of another label.
    lblVerify->setText(u"Checking\u2026"_s);
    lblVerify->setToolTip(QString());
    m_hints.insert(lblVerify, kVerifyHint);
    // The label is handed to the reader once the window is idle again: Make Code does not wait
    // for the copy the reader takes, and a burst of updates reads only the last label.
    if (!m_verifyScheduled) {
        m_verifyScheduled = true;
        QTimer::singleShot(0, this, &Form1::requestVerify);
    }
}

void Form1::requestVerify()
{
    m_verifyScheduled = false;
    const QImage label = picTST->image();
    if (ListItemInWork != 0 || !Barcode1.hasSymbol() || label.isNull()) {
        m_verifier->cancel();
        showVerdict({});
        return;
    }
    m_verifier->request(label, TypeCode, Barcode1.data(), Barcode1.supplement());
}

void Form1::showVerdict(const LabelVerdict &verdict)
{
    lblVerify->setText(verdict.text);
    lblVerify->setToolTip(verdict.hint);
    m_hints.insert(lblVerify, verdict.hint.isEmpty() ? kVerifyHint : verdict.hint);
}

} // namespace Kelbrix
