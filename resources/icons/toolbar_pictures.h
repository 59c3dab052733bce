// The toolbar pictures, each drawn on a 16-unit grid, with the names of their image files.
#pragma once

#include <QPainter>

#include <utility>
#include <vector>

using ToolbarPicture = std::pair<const char*, void (*)(QPainter&)>;

std::vector<ToolbarPicture> toolbar_pictures();
