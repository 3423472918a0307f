#include "tour/desktop_tour.h"

#include "widgets/overlapping_controls.h"
#include "widgets/window_placement.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// Runs the event loop for \a ms milliseconds.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until \a done holds or \a ms milliseconds have passed; says which.
bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        pause(20);
    }
    return true;
}

bool exposed(const QWidget *window)
{
    return window && window->windowHandle() && window->windowHandle()->isExposed();
}

QString text(const QRect &r)
{
    return QString::number(r.x()) + u","_s + QString::number(r.y()) + u" "_s + QString::number(r.width()) + u"x"_s +
           QString::number(r.height());
}

} // namespace

std::unique_ptr<DesktopTour> DesktopTour::fromEnvironment()
{
    const QString folder = qEnvironmentVariable("KELBRIX_DESKTOP_TOUR");
    if (folder.isEmpty())
        return nullptr;
    QDir().mkpath(folder);
    return std::unique_ptr<DesktopTour>(new DesktopTour(folder));
}

DesktopTour::DesktopTour(const QString &folder) : m_folder(folder)
{
    qApp->installEventFilter(this);
}

DesktopTour::~DesktopTour()
{
    qApp->removeEventFilter(this);
}

void DesktopTour::start(QWidget *mainWindow)
{
    m_main = mainWindow;
    QTimer::singleShot(0, this, &DesktopTour::run);
}

bool DesktopTour::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            fail((m_started ? u"message box during the walk: "_s : u"message box at start-up: "_s) +
                 box->windowTitle() + u" | "_s + box->text());
            // Answered as a careful user would, so that the program goes on.
            QTimer::singleShot(0, box, [box] {
                if (QAbstractButton *no = box->button(QMessageBox::No))
                    no->click();
                else
                    box->reject();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void DesktopTour::note(const QString &line)
{
    m_report.append(line);
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

void DesktopTour::fail(const QString &line)
{
    m_failed = true;
    note(u"FAIL "_s + line);
}

void DesktopTour::run()
{
    if (!waitFor([this] { return exposed(m_main); }, 15000))
        fail(u"the main window was never shown"_s);
    // Where the desktop activates windows, a question of the activation comes now. A desktop
    // without a keyboard (weston's headless backend) activates nothing: the window is then made
    // active as a click on it would, so that its activation runs all the same.
    const bool activated = waitFor([this] { return m_main->isActiveWindow(); }, 3000);
    if (!activated) {
        // Without a keyboard no text box may hold the focus of an active window: Qt's Wayland
        // input method would look for the keyboard to draw the text cursor.
        if (QWidget *focus = m_main->focusWidget())
            focus->clearFocus();
        QApplication::setActiveWindow(m_main);
        pause(700);
        QApplication::setActiveWindow(nullptr);
    }
    pause(700);
    m_started = true;
    const QScreen *screen = m_main->screen();
    note(u"platform "_s + QGuiApplication::platformName() + u", screen "_s + text(screen->geometry()) +
         u", available "_s + text(screen->availableGeometry()) + u", device pixel ratio "_s +
         QString::number(m_main->devicePixelRatioF()) + u", depth "_s + QString::number(screen->depth()) +
         u", activated by the desktop "_s + (activated ? u"yes"_s : u"no"_s));
    save(m_main, u"start"_s);
    checkWindow(m_main, u"main window"_s, false);

    makeCode(u"optEAN13"_s, u"optNosup"_s, u"501234567890"_s, QString(), u"Lemon soap 250 g"_s);
    save(m_main, u"make-code-product"_s);
    checkWindow(m_main, u"main window, EAN-13 with a product line"_s, false);
    makeCode(u"optISBN"_s, u"chk5digit"_s, u"0-306-40615-2"_s, u"51234"_s, u"Lemon soap 250 g"_s);
    save(m_main, u"make-code-isbn"_s);
    checkWindow(m_main, u"main window, ISBN with a 5-digit add-on"_s, false);

    visitWindow(u"mnuBarSize"_s, u"frmBarSize"_s, false);
    visitWindow(u"mnuFind"_s, u"frmFind"_s, false);
    visitWindow(u"mnuTiff"_s, u"frmTiff"_s, true);
    visitWindow(u"mnuAbout"_s, u"frmAbout"_s, true);
    visitWindow(u"mnuHelp"_s, u"HelpWindow"_s, false);
    visitWindow(u"mnuWizStart"_s, u"WizStart"_s, false);
    // A pallet of 24 cartons of one batch with its best-before date.
    visitWindow(u"mnuLogisticLabel"_s, u"frmLogisticLabel"_s, true, [](QWidget *window) {
        auto *supplier = window->findChild<QPlainTextEdit *>(u"txtSupplier"_s);
        auto *prefix = window->findChild<QLineEdit *>(u"txtPrefix"_s);
        auto *extension = window->findChild<QLineEdit *>(u"txtExtension"_s);
        auto *common = window->findChild<QComboBox *>(u"cboAddAi"_s);
        auto *add = window->findChild<QPushButton *>(u"cmdAddRow"_s);
        auto *rows = window->findChild<QAbstractItemView *>(u"grdData"_s);
        if (!supplier || !prefix || !extension || !common || !add || !rows)
            return;
        supplier->setPlainText(u"Kelbrix Foods AB\nIndustrigatan 4\n123 45 Exempelby, Sweden"_s);
        prefix->setText(u"5012345"_s);
        extension->setText(u"3"_s);
        while (rows->model()->rowCount() > 0)
            rows->model()->removeRow(0);
        for (const auto &[ai, value] : {std::pair{u"02"_s, u"05012345678900"_s}, std::pair{u"37"_s, u"24"_s},
                                        std::pair{u"10"_s, u"LOT42"_s}, std::pair{u"15"_s, u"271231"_s}}) {
            common->setCurrentIndex(common->findData(ai));
            add->click();
            rows->model()->setData(rows->model()->index(rows->model()->rowCount() - 1, 2), value);
        }
        rows->setFocus();
    });

    // A dual label: the EAN-13 with a GS1 DataMatrix of its batch and expiry beside it.
    makeCode(u"optEAN13"_s, u"optNosup"_s, u"501234567890"_s, QString(), u"Lemon soap 250 g"_s);
    visitWindow(u"mnuGs1Data"_s, u"frmGs1Data"_s, true, [](QWidget *window) {
        auto *carrier = window->findChild<QComboBox *>(u"cboCarrier"_s);
        auto *common = window->findChild<QComboBox *>(u"cboAddAi"_s);
        auto *add = window->findChild<QPushButton *>(u"cmdAddRow"_s);
        auto *rows = window->findChild<QAbstractItemView *>(u"grdElements"_s);
        if (!carrier || !common || !add || !rows)
            return;
        carrier->setCurrentIndex(1);
        for (const auto &[ai, value] : {std::pair{u"10"_s, u"LOT42A"_s}, std::pair{u"17"_s, u"271231"_s}}) {
            common->setCurrentIndex(common->findData(ai));
            add->click();
            rows->model()->setData(rows->model()->index(rows->model()->rowCount() - 1, 1), value);
        }
        rows->setFocus();
    });
    pause(1500);
    save(m_main, u"make-code-gs1"_s);
    checkWindow(m_main, u"main window, EAN-13 beside a GS1 DataMatrix"_s, false);
    finish();
}

void DesktopTour::makeCode(const QString &type, const QString &supplement, const QString &digits, const QString &addOn,
                           const QString &product)
{
    const auto find = [this](const QString &name) { return m_main->findChild<QWidget *>(name); };
    auto *typeOption = qobject_cast<QRadioButton *>(find(type));
    auto *supplementOption = qobject_cast<QRadioButton *>(find(supplement));
    auto *entry = qobject_cast<QLineEdit *>(find(u"TxtStreck"_s));
    auto *addOnBox = qobject_cast<QLineEdit *>(find(u"txtSup"_s));
    auto *productBox = qobject_cast<QLineEdit *>(find(u"txtProduct"_s));
    auto *make = qobject_cast<QPushButton *>(find(u"Command1"_s));
    if (!typeOption || !supplementOption || !entry || !addOnBox || !productBox || !make) {
        fail(u"the main window lacks a control of the entry"_s);
        return;
    }
    typeOption->click();
    supplementOption->click();
    productBox->setText(product);
    entry->clear();
    entry->setText(digits);
    addOnBox->setText(addOn);
    if (!make->isEnabled()) {
        fail(u"\"&Make Code\" stayed disabled for "_s + digits);
        return;
    }
    make->click();
    pause(300);
    note(u"made "_s + digits + (addOn.isEmpty() ? QString() : u" + "_s + addOn) + u": entry now "_s + entry->text());
}

void DesktopTour::visitWindow(const QString &action, const QString &windowName, bool modal,
                              const std::function<void(QWidget *)> &fill)
{
    QAction *command = m_main->findChild<QAction *>(action);
    if (!command || !command->isEnabled()) {
        fail(action + u" is missing or disabled"_s);
        return;
    }
    const auto look = [this, windowName, fill] {
        QWidget *window = nullptr;
        waitFor(
            [&window, windowName] {
                for (QWidget *candidate : QApplication::topLevelWidgets()) {
                    if (candidate->objectName() == windowName && candidate->isVisible())
                        window = candidate;
                }
                return exposed(window);
            },
            5000);
        if (!window) {
            fail(windowName + u" did not open"_s);
            return window;
        }
        if (fill)
            fill(window);
        pause(300);
        checkWindow(window, windowName, true);
        save(window, windowName);
        return window;
    };
    // A window that was filled in is taken with its OK; the others are closed.
    const auto leave = [fill](QWidget *window) {
        auto *ok = window->findChild<QPushButton *>(u"cmdOk"_s);
        if (fill && ok)
            ok->click();
        else
            window->close();
    };
    if (modal) {
        // The window runs its own loop; it is looked at and closed from inside it.
        QTimer::singleShot(0, this, [look, leave] {
            if (QWidget *window = look())
                leave(window);
        });
        command->trigger();
    } else {
        command->trigger();
        if (QWidget *window = look())
            window->close();
    }
    pause(100);
}

void DesktopTour::checkWindow(QWidget *window, const QString &name, bool placed)
{
    for (const QString &overlap : overlappingControls(window))
        fail(name + u": "_s + overlap);
    const QRect frame = window->frameGeometry();
    const QRect available = window->screen()->availableGeometry();
    QString line = name + u": frame "_s + text(frame);
    // Wayland tells a program nothing of where its windows are.
    if (placed && QGuiApplication::platformName() != u"wayland"_s) {
        const QRect expected = centredPlacement(frame.size(), m_main->frameGeometry(), available);
        line += u", centred over the main window would be "_s + text(expected);
        if (!available.contains(frame))
            fail(name + u" lies outside the available area "_s + text(available) + u": "_s + text(frame));
        // The window manager may frame the window a little differently than the estimate.
        const QPoint off = frame.center() - expected.center();
        if (std::abs(off.x()) > 24 || std::abs(off.y()) > 24)
            fail(name + u" is not centred over the main window: "_s + text(frame) + u", expected about "_s +
                 text(expected));
    }
    note(line);
}

void DesktopTour::save(QWidget *window, const QString &name)
{
    const QString path = m_folder + u"/"_s + name + u".png"_s;
    if (!window->grab().save(path))
        fail(u"could not save "_s + path);
    // The whole screen shows where the window is; Wayland lets no program read it.
    if (QGuiApplication::platformName() == u"xcb"_s) {
        const QPixmap screen = window->screen()->grabWindow(0);
        if (!screen.isNull())
            screen.save(m_folder + u"/"_s + name + u"-screen.png"_s);
    }
}

void DesktopTour::finish()
{
    note(m_failed ? u"RESULT failed"_s : u"RESULT passed"_s);
    QFile report(m_folder + u"/report.txt"_s);
    if (report.open(QIODevice::WriteOnly | QIODevice::Truncate))
        report.write((m_report.join(u'\n') + u'\n').toUtf8());
    m_main->close();
    QCoreApplication::exit(exitCode());
}

} // namespace Kelbrix
