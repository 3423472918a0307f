#include "base/runtime_errors.h"

#include "base/user_prompt.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

struct Row {
    int first;
    int last;
    const char *message;
    const char *title; // nullptr: the application title
};

constexpr const char *kProgramming = QT_TRANSLATE_NOOP("RuntimeError", "Programming Error");
constexpr const char *kFile = QT_TRANSLATE_NOOP("RuntimeError", "File Error");
constexpr const char *kMemory = QT_TRANSLATE_NOOP("RuntimeError", "Memory Error");
constexpr const char *kUser = QT_TRANSLATE_NOOP("RuntimeError", "User Error");
constexpr const char *kSystem = QT_TRANSLATE_NOOP("RuntimeError", "System Error");
constexpr const char *kPrinter = QT_TRANSLATE_NOOP("RuntimeError", "Printer Error");

constexpr Row kRows[] = {
    {3, 3, QT_TRANSLATE_NOOP("RuntimeError", "Return without GoSub."), kProgramming},
    {5, 5, QT_TRANSLATE_NOOP("RuntimeError", "Return without GoSub."), kProgramming},
    {6, 6, QT_TRANSLATE_NOOP("RuntimeError", "Overflow."), kProgramming},
    {7, 7, QT_TRANSLATE_NOOP("RuntimeError", "Out of Memory."), kMemory},
    {9, 9, QT_TRANSLATE_NOOP("RuntimeError", "Subscript out of Range."), kProgramming},
    {11, 11, QT_TRANSLATE_NOOP("RuntimeError", "Devide by Zero."), kProgramming},
    {14, 14, QT_TRANSLATE_NOOP("RuntimeError", "Out of string space."), kProgramming},
    {18, 18, QT_TRANSLATE_NOOP("RuntimeError", "User interrupt occurred."), nullptr},
    {28, 28, QT_TRANSLATE_NOOP("RuntimeError", "Out of stack space."), kProgramming},
    {48, 48, QT_TRANSLATE_NOOP("RuntimeError", "Error in loading DLL."), kSystem},
    {51, 51, QT_TRANSLATE_NOOP("RuntimeError", "Internal Error."), kSystem},
    {52, 52, QT_TRANSLATE_NOOP("RuntimeError", "Bad file mame or number."), kFile},
    {53, 53, QT_TRANSLATE_NOOP("RuntimeError", "File dosen't exist. Please try again."), kFile},
    {54, 54, QT_TRANSLATE_NOOP("RuntimeError", "Bad file mode."), kFile},
    {55, 55, QT_TRANSLATE_NOOP("RuntimeError", "File already open."), kFile},
    {57, 57, QT_TRANSLATE_NOOP("RuntimeError", "Device I/O Error."), kSystem},
    {58, 58, QT_TRANSLATE_NOOP("RuntimeError", "File already exists."), kFile},
    {59, 59, QT_TRANSLATE_NOOP("RuntimeError", "Bad record length."), kFile},
    {61, 61, QT_TRANSLATE_NOOP("RuntimeError", "Disk Full."), kSystem},
    {62, 62, QT_TRANSLATE_NOOP("RuntimeError", "Input past end of file."), kFile},
    {63, 63, QT_TRANSLATE_NOOP("RuntimeError", "Bad record number."), kFile},
    {67, 67, QT_TRANSLATE_NOOP("RuntimeError", "To many files."), kFile},
    {68, 68, QT_TRANSLATE_NOOP("RuntimeError", "Device unavailable."), kSystem},
    {70, 70, QT_TRANSLATE_NOOP("RuntimeError", "Permission denied."), kSystem},
    {71, 71, QT_TRANSLATE_NOOP("RuntimeError", "Disk not ready."), kSystem},
    {75, 75, QT_TRANSLATE_NOOP("RuntimeError", "Path/File access error."), kFile},
    {91, 91, QT_TRANSLATE_NOOP("RuntimeError", "Unknown Error."), kFile},
    {260, 379, QT_TRANSLATE_NOOP("RuntimeError", "Dynamic Data Exchange Error."), kSystem},
    {381, 428, QT_TRANSLATE_NOOP("RuntimeError", "Dynamic Data Exchange Error."), kSystem},
    {429, 451, QT_TRANSLATE_NOOP("RuntimeError", "OLE Automation Error."), kSystem},
    {452, 457, QT_TRANSLATE_NOOP("RuntimeError", "Misellaneous Errors."), kSystem},
    {460, 460, QT_TRANSLATE_NOOP("RuntimeError", "Invalid Clipboard format."), kSystem},
    {480, 480, QT_TRANSLATE_NOOP("RuntimeError", "Can't create AutoRedraw image."), nullptr},
    {481, 481, QT_TRANSLATE_NOOP("RuntimeError", "Invalid Picture."), nullptr},
    {482, 482, QT_TRANSLATE_NOOP("RuntimeError", "Printer Error."), kPrinter},
    {483, 483, QT_TRANSLATE_NOOP("RuntimeError", "Printer driver doesn't support specified property."), kPrinter},
    {484, 484,
     QT_TRANSLATE_NOOP(
         "RuntimeError",
         "Problem getting printer information from the system. Make sure the printer is set up correctly."),
     kPrinter},
    {485, 485, QT_TRANSLATE_NOOP("RuntimeError", "Invalid Picture type."), kUser},
    {520, 520, QT_TRANSLATE_NOOP("RuntimeError", "Can't empty Clipboard."), kSystem},
    {521, 521, QT_TRANSLATE_NOOP("RuntimeError", "Can't open Clipboard."), kSystem},
    {30000, 30017, QT_TRANSLATE_NOOP("RuntimeError", "Grid Control Errors."), nullptr},
    {31003, 31039, QT_TRANSLATE_NOOP("RuntimeError", "OLE Control Errors."), nullptr},
};

} // namespace

RuntimeErrorText runtimeErrorText(int number)
{
    if (number == RuntimeError::None || number == RuntimeError::DialogCancelled ||
        number == RuntimeError::InvalidPropertyValue)
        return {};
    for (const Row &row : kRows) {
        if (number >= row.first && number <= row.last) {
            return {true, QCoreApplication::translate("RuntimeError", row.message),
                    row.title ? QCoreApplication::translate("RuntimeError", row.title) : applicationTitle()};
        }
    }
    return {true, QCoreApplication::translate("RuntimeError", "Unknown Error. Error code=") + QString::number(number),
            QCoreApplication::translate("RuntimeError", "Unknown Error.")};
}

void ReportRuntimeError(int number)
{
    ReportRuntimeError(number, {});
}

void ReportRuntimeError(int number, const QString &detail)
{
    const RuntimeErrorText text = runtimeErrorText(number);
    if (text.shown)
        ask(detail.isEmpty() ? text.message : text.message + u'\n' + detail, text.title, PromptIcon::Critical,
            PromptButtons::Ok);
}

} // namespace Kelbrix
