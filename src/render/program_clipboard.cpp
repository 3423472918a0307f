#include "render/program_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace Kelbrix::ProgramClipboard {

namespace {

bool g_private = false;
quint64 g_generation = 0;
std::unique_ptr<QMimeData> g_privateData;

QClipboard *desktopClipboard()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

bool available()
{
    return g_private || desktopClipboard() != nullptr;
}

const QMimeData *data()
{
    if (g_private)
        return g_privateData.get();
    QClipboard *clipboard = desktopClipboard();
    return clipboard ? clipboard->mimeData() : nullptr;
}

bool setData(QMimeData *data)
{
    std::unique_ptr<QMimeData> owned(data);
    ++g_generation;
    if (g_private) {
        g_privateData = std::move(owned);
        return true;
    }
    QClipboard *clipboard = desktopClipboard();
    if (!clipboard)
        return false;
    clipboard->setMimeData(owned.release());
    return true;
}

void clear()
{
    ++g_generation;
    if (g_private) {
        g_privateData.reset();
        return;
    }
    if (QClipboard *clipboard = desktopClipboard())
        clipboard->clear();
}

void usePrivate(bool on)
{
    g_private = on;
    g_privateData.reset();
    ++g_generation;
}

bool isPrivate()
{
    return g_private;
}

quint64 generation()
{
    return g_generation;
}

} // namespace Kelbrix::ProgramClipboard
