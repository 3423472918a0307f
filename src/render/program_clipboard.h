#pragma once

#include <QtGlobal>

class QMimeData;

namespace Kelbrix {

/// The clipboard the TIFF export hands pictures along on: the renderer puts its symbol there
/// and the image converter reads and writes "clipboard" there. By default it is the desktop's
/// clipboard (none without a QGuiApplication); a run without a window, and the tests, switch to
/// a private one held in memory, so the user's clipboard is never touched.
namespace ProgramClipboard {

/// True when there is a clipboard to use: the private one, or the desktop's under a
/// QGuiApplication.
bool available();

/// What the clipboard holds; nullptr when it is empty or there is none.
const QMimeData *data();

/// Puts \a data (taken over) on the clipboard, replacing what it held. False, and \a data
/// deleted, when there is no clipboard.
bool setData(QMimeData *data);

/// Empties the clipboard.
void clear();

/// Switches to the private clipboard (\a on) or back to the desktop's. Switching empties the
/// private one.
void usePrivate(bool on);

/// True while the private clipboard is in use.
bool isPrivate();

/// Counts every change made through this interface; a reader that remembers it knows whether
/// the clipboard still holds what it saw. Meaningful for the private clipboard only, which
/// nothing else can change.
quint64 generation();

} // namespace ProgramClipboard

} // namespace Kelbrix
