#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QActionGroup;
class QLabel;
class QMainWindow;
class QWidget;

namespace Kelbrix {

/// What a running export locks, so that nothing changes the list, the entry or the export's
/// parameters under it: containers and windows whose own enabled state nothing else changes,
/// and menu and toolbar actions. While locked, the status bar says so.
class ExportLock : public QObject {
    Q_OBJECT
public:
    /// The notice goes into the status bar of \a window.
    explicit ExportLock(QMainWindow &window);
    ~ExportLock() override;

    void addControls(const QList<QWidget *> &widgets);
    /// An action keeps its own enabled state inside the lock and gets it back when the lock ends.
    void addActions(const QList<QAction *> &actions);

    /// Disables the controls and actions that are enabled and shows the notice for its lifetime,
    /// and enables them again however the export ends. The controls inside a container keep
    /// their own state, which Qt shows again once the container is enabled, even when the
    /// export changed it meanwhile (a loaded record enables "&Add to List").
    class Held {
    public:
        explicit Held(ExportLock &lock);
        ~Held();
        Held(const Held &) = delete;
        Held &operator=(const Held &) = delete;

    private:
        QList<QPointer<QWidget>> m_widgets;
        QPointer<QActionGroup> m_actions;
        QPointer<QLabel> m_notice;
    };

private:
    QMainWindow &m_window;
    QList<QPointer<QWidget>> m_controls;
    QActionGroup *m_actions = nullptr;
    QLabel *lblExportLock = nullptr; ///< made on the first export
};

} // namespace Kelbrix
