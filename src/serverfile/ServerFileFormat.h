#pragma once

#include <QLatin1StringView>

// The fixed lines that the composer writes and the reader looks for.
namespace ServerFileFormat {
inline constexpr QLatin1StringView Marker{"// Begining of Raw-Code - Do Not Alter The Following!"};
inline constexpr QLatin1StringView RawCodeEnd{"// End of Raw-Code"};
inline constexpr QLatin1StringView EndLine{"//End of generated server file."};
inline constexpr QLatin1StringView LineBreak{"\r\n"};
} // namespace ServerFileFormat
