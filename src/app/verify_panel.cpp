#include "app/verify_panel.h"

#include "app/hint_panel.h"
#include "verify/background_verifier.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString kVerifyHint = u"Shows whether your barcode scans: it is read back after each Make Code."_s;

} // namespace

VerifyPanel::VerifyPanel(QStatusBar *statusBar, HintPanel &hints, std::function<Label()> current)
    : QObject(statusBar), m_panel(new QLabel(statusBar)), m_hints(hints), m_current(std::move(current)),
      m_verifier(new BackgroundVerifier(this))
{
    m_panel->setObjectName(u"lblVerify"_s);
    // The verdict repeats what the user typed: plain text, never markup.
    m_panel->setTextFormat(Qt::PlainText);
    statusBar->addPermanentWidget(m_panel);
    m_hints.setHint(m_panel, kVerifyHint);
    connect(m_verifier, &BackgroundVerifier::verdictReady, this,
            [this](const LabelVerdict &verdict) { show(verdict); });
}

void VerifyPanel::labelChanged()
{
    if (m_current().image.isNull()) {
        m_verifier->cancel();
        show({});
        return;
    }
    // Until the new verdict comes, the old one would speak of another label.
    m_panel->setText(u"Checking\u2026"_s);
    m_panel->setToolTip(QString());
    m_hints.setHint(m_panel, kVerifyHint);
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &VerifyPanel::read);
    }
}

void VerifyPanel::read()
{
    m_scheduled = false;
    const Label label = m_current();
    if (label.image.isNull()) {
        m_verifier->cancel();
        show({});
        return;
    }
    m_verifier->request(label.image, label.typeCode, label.data, label.supplement);
}

void VerifyPanel::show(const LabelVerdict &verdict)
{
    m_panel->setText(verdict.text);
    m_panel->setToolTip(verdict.hint);
    m_hints.setHint(m_panel, verdict.hint.isEmpty() ? kVerifyHint : verdict.hint);
}

} // namespace Kelbrix
