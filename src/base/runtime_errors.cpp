#include "base/runtime_errors.h"

#include "base/user_prompt.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

struct Row {
    int first;
    int last;
    const char16_t *message;
    const char16_t *title; // nullptr: the application title
};

constexpr const char16_t *kProgramming = u"Programming Error";
constexpr const char16_t *kFile = u"File Error";
constexpr const char16_t *kMemory = u"Memory Error";
constexpr const char16_t *kUser = u"User Error";
constexpr const char16_t *kSystem = u"System Error";
constexpr const char16_t *kPrinter = u"Printer Error";

constexpr Row kRows[] = {
    {3, 3, u"Return without GoSub.", kProgramming},
    {5, 5, u"Return without GoSub.", kProgramming},
    {6, 6, u"Overflow.", kProgramming},
    {7, 7, u"Out of Memory.", kMemory},
    {9, 9, u"Subscript out of Range.", kProgramming},
    {11, 11, u"Devide by Zero.", kProgramming},
    {14, 14, u"Out of string space.", kProgramming},
    {18, 18, u"User interrupt occurred.", nullptr},
    {28, 28, u"Out of stack space.", kProgramming},
    {48, 48, u"Error in loading DLL.", kSystem},
    {51, 51, u"Internal Error.", kSystem},
    {52, 52, u"Bad file mame or number.", kFile},
    {53, 53, u"File dosen't exist. Please try again.", kFile},
    {54, 54, u"Bad file mode.", kFile},
    {55, 55, u"File already open.", kFile},
    {57, 57, u"Device I/O Error.", kSystem},
    {58, 58, u"File already exists.", kFile},
    {59, 59, u"Bad record length.", kFile},
    {61, 61, u"Disk Full.", kSystem},
    {62, 62, u"Input past end of file.", kFile},
    {63, 63, u"Bad record number.", kFile},
    {67, 67, u"To many files.", kFile},
    {68, 68, u"Device unavailable.", kSystem},
    {70, 70, u"Permission denied.", kSystem},
    {71, 71, u"Disk not ready.", kSystem},
    {75, 75, u"Path/File access error.", kFile},
    {91, 91, u"Unknown Error.", kFile},
    {260, 379, u"Dynamic Data Exchange Error.", kSystem},
    {381, 428, u"Dynamic Data Exchange Error.", kSystem},
    {429, 451, u"OLE Automation Error.", kSystem},
    {452, 457, u"Misellaneous Errors.", kSystem},
    {460, 460, u"Invalid Clipboard format.", kSystem},
    {480, 480, u"Can't create AutoRedraw image.", nullptr},
    {481, 481, u"Invalid Picture.", nullptr},
    {482, 482, u"Printer Error.", kPrinter},
    {483, 483, u"Printer driver doesn't support specified property.", kPrinter},
    {484, 484, u"Problem getting printer information from the system. Make sure the printer is set up correctly.",
     kPrinter},
    {485, 485, u"Invalid Picture type.", kUser},
    {520, 520, u"Can't empty Clipboard.", kSystem},
    {521, 521, u"Can't open Clipboard.", kSystem},
    {30000, 30017, u"Grid Control Errors.", nullptr},
    {31003, 31039, u"OLE Control Errors.", nullptr},
};

} // namespace

RuntimeErrorText runtimeErrorText(int number)
{
    if (number == RuntimeError::None || number == RuntimeError::DialogCancelled ||
        number == RuntimeError::InvalidPropertyValue)
        return {};
    for (const Row &row : kRows) {
        if (number >= row.first && number <= row.last) {
            return {true, QString::fromUtf16(row.message),
                    row.title ? QString::fromUtf16(row.title) : applicationTitle()};
        }
    }
    return {true, u"Unknown Error. Error code="_s + QString::number(number), u"Unknown Error."_s};
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
