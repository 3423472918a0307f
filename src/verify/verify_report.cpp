#include "verify/verify_report.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

QString files(int count)
{
    return count == 1 ? u"1 file"_s : QString::number(count) + u" files"_s;
}

// The verdict's text without the warning sign in front of it.
QString withoutSign(const QString &text)
{
    const qsizetype space = text.indexOf(u' ');
    return space > 0 && !text.front().isLetterOrNumber() ? text.mid(space + 1) : text;
}

} // namespace

void VerifyReport::add(const QString &fileName, const LabelVerdict &verdict)
{
    if (verdict.kind == LabelVerdict::Kind::NotChecked) {
        ++m_notChecked;
        return;
    }
    ++m_checked;
    if (!verdict.scans())
        m_failures.append(fileName + u": "_s + withoutSign(verdict.text));
}

QString VerifyReport::summary() const
{
    QStringList lines;
    if (m_checked == 0)
        lines.append(u"No files checked."_s);
    else if (m_failures.isEmpty())
        lines.append(files(m_checked) + (m_checked == 1 ? u" checked: it scans."_s : u" checked: all scan."_s));
    else
        lines.append(files(m_checked) + u" checked, "_s + QString::number(m_failures.size()) + u" did not scan:"_s);
    lines.append(m_failures);
    if (m_notChecked > 0) {
        lines.append(files(m_notChecked) + u" not checked: the reader cannot read "_s +
                     (m_notChecked == 1 ? u"its type."_s : u"their type."_s));
    }
    return lines.join(u'\n');
}

} // namespace Kelbrix
