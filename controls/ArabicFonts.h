#pragma once

namespace controls {

// "Simplified Arabic", the face the windows and reports name, is drawn with an installed
// Arabic face (Amiri, else Noto Naskh Arabic), so Arabic never falls back to a Latin face.
void substituteArabicFaces();

} // namespace controls
