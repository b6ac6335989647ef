#pragma once

#include <QCheckBox>
#include <QtGlobal>

// The signal a check box sends when it is ticked, unticked or greyed. Qt 6.7
// replaced stateChanged(int) by checkStateChanged(Qt::CheckState) and
// deprecated the old one; the windows connect to whichever this Qt has.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
inline constexpr auto checkBoxStateChanged = &QCheckBox::checkStateChanged;
#else
inline constexpr auto checkBoxStateChanged = &QCheckBox::stateChanged;
#endif
