// Fitting a stored window placement to the screens there are now.
#pragma once

#include <QRect>
#include <QSize>

// A stored window placement made to fit the screen that shows most of it (the primary one when
// none does): no larger than that screen (or than `default_size`, which always stands), and
// its top left corner on it, so the title bar and the menus are always within reach, whatever
// monitor set-up or damaged file the values came from.
QRect fit_on_screen(QRect wanted, QSize default_size);
// The same for a stored placement: values far beyond any screen (2147483647 from a damaged
// settings file) are brought near first, so no rectangle arithmetic overflows.
QRect fit_on_screen(int x, int y, int width, int height, QSize default_size);
