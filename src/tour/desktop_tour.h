#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace Kelbrix {

/// A scripted walk through the program on a real desktop, for the tests that start the program
/// under X11 and Wayland. With KELBRIX_DESKTOP_TOUR naming a folder, the program makes an EAN-13
/// with a product line and an ISBN with a 5-digit add-on, opens every window, saves a picture of
/// each into that folder, checks that no control of a window lies over another and that each
/// window opened centred over the main window inside the screen, and quits. Message boxes are
/// answered No (or closed) and noted; any that came before the walk began fail it. The findings
/// go to report.txt in the folder and to the standard output; the program's exit code is 0 when
/// every check held.
class DesktopTour : public QObject {
    Q_OBJECT
public:
    /// The tour the environment asks for, or none. Made before the main window, so that it sees
    /// the message boxes of the start-up.
    static std::unique_ptr<DesktopTour> fromEnvironment();

    ~DesktopTour() override;

    /// Starts the walk over \a mainWindow once the event loop runs; it ends the program.
    void start(QWidget *mainWindow);
    /// What the program exits with: 0 when every check held.
    int exitCode() const { return m_failed ? 1 : 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit DesktopTour(const QString &folder);
    void run();
    void note(const QString &line);
    void fail(const QString &line);
    void makeCode(const QString &type, const QString &supplement, const QString &digits, const QString &addOn,
                  const QString &product);
    void checkWindow(QWidget *window, const QString &name, bool placed);
    /// Opens the window of \a action, looks at it and closes it; with \a fill, fills it in first and
    /// takes it with its OK.
    void visitWindow(const QString &action, const QString &windowName, bool modal,
                     const std::function<void(QWidget *)> &fill = {});
    void save(QWidget *window, const QString &name);
    void finish();

    QString m_folder;
    QWidget *m_main = nullptr;
    QStringList m_report;
    QStringList m_boxes;
    bool m_started = false; ///< the walk has begun: boxes from now on are the walk's own
    bool m_failed = false;
};

} // namespace Kelbrix
