#pragma once

#include <QString>

namespace Kelbrix::Test {

/// The family of the font files kept with the tests (DejaVu Sans: regular, bold, oblique, bold
/// oblique), added to the application's fonts on the first call. Tests that compare pixels of
/// text draw in it, so their results do not depend on the fonts the machine has installed.
/// Fails the calling test's process when the files cannot be read.
QString repositoryFontFamily();

} // namespace Kelbrix::Test
