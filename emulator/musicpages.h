#pragma once
// The main web host's music pages: the help page "/music.html" (how to find a music address and
// lyrics, with the member's query keys) and a short sound, "/music/sample.wma" (the music editor's
// example) or "/music/sample.wav", that a member can type as the music address and hear in the
// music editor's preview.
#include "emulator/http.h"

#include <QByteArray>

namespace emu {

// A WAV file of 8-bit mono PCM samples at the rate.
QByteArray WaveFile(quint32 rate, const QByteArray& samples);
// One second of a 440 Hz tone at 8 kHz, fading out.
QByteArray SampleMusicWav();
// The music pages of the main web host; false (out untouched) for any other path.
bool ServeMusicPage(const HttpRequest& request, HttpResponse* out);

}  // namespace emu
