#pragma once

#include <QString>

namespace Kelbrix {

/// `kelbrix --gs1-check DATA`: checks \a data, bracketed element strings or a Digital Link URI,
/// with every GS1 rule. Prints each application identifier with its title and verdict, then the
/// element string and the Digital Link URI on the standard output, and each reason for refusing
/// the data on the standard error. Writes no file. Returns 0 for valid data, 1 otherwise.
int runGs1Check(const QString &data);

} // namespace Kelbrix
