#pragma once

#include <QIcon>

namespace controls {

enum class NavigatorButton { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };

// The small picture on a navigator button, drawn rather than stored.
QIcon navigatorGlyph(NavigatorButton button);

} // namespace controls
