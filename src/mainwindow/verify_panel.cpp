#include "mainwindow/verify_panel.h"

#include "mainwindow/hint_panel.h"
#include "verify/background_verifier.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const char *const kVerifyHint =
    QT_TRANSLATE_NOOP("Form1", "Shows whether your barcode scans: it is read back after each Make Code.");

} // namespace

VerifyPanel::VerifyPanel(QStatusBar *statusBar, HintPanel &hints, std::function<Label()> current)
    : QObject(statusBar), m_panel(new QLabel(statusBar)), m_hints(hints), m_current(std::move(current)),
      m_verifier(new BackgroundVerifier(this))
{
    m_panel->setObjectName(u"lblVerify"_s);
    // The verdict repeats what the user typed: plain text, never markup.
    m_panel->setTextFormat(Qt::PlainText);
    statusBar->addPermanentWidget(m_panel);
    // A language switch reads the label again, so the verdict speaks the new language.
    m_panel->installEventFilter(this);
    m_hints.setHint(m_panel, "Form1", kVerifyHint);
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
    // Until the new verdict comes, the old one would speak of another label; so would one of a
    // reading still running, which is dropped when it ends.
    m_verifier->cancel();
    m_panel->setText(QCoreApplication::translate("Form1", "Checking…"));
    m_panel->setToolTip(QString());
    m_hints.setHint(m_panel, "Form1", kVerifyHint);
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &VerifyPanel::read);
    }
}

bool VerifyPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::LanguageChange && !m_panel->text().isEmpty())
        labelChanged();
    return QObject::eventFilter(watched, event);
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
    m_verifier->request(label.image, label.typeCode, label.data, label.supplement, label.matrix);
}

void VerifyPanel::show(const LabelVerdict &verdict)
{
    m_panel->setText(verdict.text);
    m_panel->setToolTip(verdict.hint);
    if (verdict.hint.isEmpty())
        m_hints.setHint(m_panel, "Form1", kVerifyHint);
    else
        m_hints.setHint(m_panel, verdict.hint);
}

} // namespace Kelbrix
