#pragma once

#include <QString>

namespace controls {

// A piece of text set inside an Arabic sentence in a unicode isolate, so its own direction
// (a path, a figure, or whatever the clerk typed, overrides included) cannot turn the
// words around it.
inline QString isolatedLeftToRight(const QString& text)
{
    return QChar(0x2066) + text + QChar(0x2069);
}

// Direction taken from the text's first strong letter: for names and other typed text.
inline QString isolated(const QString& text)
{
    return QChar(0x2068) + text + QChar(0x2069);
}

} // namespace controls
