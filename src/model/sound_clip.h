#pragma once
#include "model/mascot_document.h"
#include "sound/sound_player.h"

namespace mascot {

// Makes sure the document holds the bytes of its click sound file. True when
// soundData is held afterwards. A changed soundPath takes effect only once
// whoever changed it has released soundData. Open and read failures leave
// their error text in loadErrors; an empty file is no sound, without text.
bool LoadSound(MascotDocument& document);

// Loads the click sound and, when there is one, starts it from memory.
void PlayClickSound(MascotDocument& document, SoundPlayer* player);

}  // namespace mascot
