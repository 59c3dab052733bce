// Painting a laid-out tab bar with QPainter: tabs, "+" button, close buttons, fades and arrows.
#pragma once

#include "documents/tabbar.h"

#include <QColor>
#include <QString>

class QFont;
class QPainter;

QColor tabbar_qcolor(TabColour colour);
TabColour tabbar_colour_from(const QColor& colour);
// A caption for display: UTF-8 when it is valid UTF-8, otherwise one character per byte.
QString tabbar_qstring(std::string_view text);

// Redraws the whole bar (its last layout) onto `painter`, whose origin is the bar's top left.
void paint_tabbar(QPainter& painter, const TabBar& bar, const QFont& font);
