#pragma once

#include <QtGlobal>

// The kind of system the program was built for. The one place that asks, so
// that the rest chooses by a value that tests can also set.
namespace HostSystem {

enum class Kind { Windows, Unix };

#ifdef Q_OS_WIN
inline constexpr Kind Current = Kind::Windows;
#else
inline constexpr Kind Current = Kind::Unix;
#endif

// Whether the system's paths compare without regard to letter case.
inline constexpr bool CaseInsensitivePaths = Current == Kind::Windows;

} // namespace HostSystem
