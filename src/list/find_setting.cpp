#include "list/find_setting.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

FindSetting FindSetting::parse(const QString &value)
{
    const bool wellFormed =
        value.size() == 6 && std::all_of(value.begin(), value.end(), [](QChar c) { return c == u'0' || c == u'1'; });
    FindSetting setting;
    if (!wellFormed || value == u"000000"_s)
        return setting;
    for (size_t i = 0; i < setting.fields.columns.size(); ++i)
        setting.fields.columns[i] = value[qsizetype(i)] == u'1';
    setting.checkAll = value[5] == u'1';
    return setting;
}

QString FindSetting::toString() const
{
    QString value;
    for (const bool on : fields.columns)
        value += on ? u'1' : u'0';
    value += checkAll ? u'1' : u'0';
    return value;
}

} // namespace Kelbrix
