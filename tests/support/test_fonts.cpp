#include "test_fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QtGlobal>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix::Test {

QString repositoryFontFamily()
{
    static const QString family = [] {
        const QDir folder(qEnvironmentVariable("KELBRIX_TEST_DATA") + u"/fonts"_s);
        QString found;
        for (const QString &file : folder.entryList({u"*.ttf"_s}, QDir::Files, QDir::Name)) {
            const int id = QFontDatabase::addApplicationFont(folder.filePath(file));
            if (id < 0)
                qFatal("Cannot add the test font %s", qPrintable(folder.filePath(file)));
            found = QFontDatabase::applicationFontFamilies(id).value(0);
        }
        if (found.isEmpty())
            qFatal("No test fonts in %s", qPrintable(folder.path()));
        return found;
    }();
    return family;
}

} // namespace Kelbrix::Test
