#pragma once

namespace glypharo {

// Registers the sound resources (":/sounds/ENTERED.wav", ":/sounds/WAVE4.wav",
// ...). They sit in a static library, so the linker would drop them unless
// something names their initialiser. Safe to call more than once.
void initSoundResources();

} // namespace glypharo
