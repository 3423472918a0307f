#include "cli/gs1_check.h"

#include "cli/headless_export.h"
#include "gs1/application_identifiers.h"
#include "gs1/digital_link.h"
#include "gs1/element_string.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

int runGs1Check(const QString &data)
{
    const Gs1Data checked = parseGs1(data);
    for (const Gs1Element &element : checked.elements) {
        QString verdict = u"ok"_s;
        for (const Gs1Problem &problem : checked.problems)
            if (problem.ai == element.ai)
                verdict = problem.message;
        const Gs1AiInfo *info = findAi(element.ai);
        printLine(stdout, u"("_s + element.ai + u") "_s + (info ? info->title : u"unknown"_s) + u": "_s +
                              element.value + u"  "_s + verdict);
    }
    for (const Gs1Problem &problem : checked.problems)
        printLine(stderr, u"kelbrix: "_s + problem.message);
    if (!checked.isValid()) {
        if (checked.problems.isEmpty())
            printLine(stderr, u"kelbrix: the data holds no application identifier"_s);
        return 1;
    }
    printLine(stdout, u"Element string: "_s + bracketedElementString(checked.elements));
    const DigitalLink link = buildDigitalLink(checked.elements, QString::fromLatin1(kDefaultDigitalLinkDomain));
    if (link.problems.isEmpty())
        printLine(stdout, u"Digital Link: "_s + link.uri);
    else
        printLine(stdout, u"Digital Link: none, "_s + link.problems.constFirst().message);
    return 0;
}

} // namespace Kelbrix
