#pragma once

namespace controls {

// "Simplified Arabic", the face the windows and reports name, is drawn with an installed
// Arabic face (Amiri, else Noto Naskh Arabic), so Arabic never falls back to a Latin face;
// the faces in the fonts folder beside the program are installed for it first, and the windows
// are drawn in DejaVu Sans where the program brought it along (the Windows build).
void substituteArabicFaces();

} // namespace controls
