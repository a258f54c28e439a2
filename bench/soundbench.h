#pragma once

// Figures of the sound path, measured on a private sound server with a null
// sink: the time from Play to the first audio the output takes, decoding
// speed, and the CPU share while playing.
void BenchSound();
