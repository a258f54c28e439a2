#pragma once

// The time the voice analysis takes on its worker thread for a course model
// and a recording of five seconds, from the request to the answer.
void BenchVoiceAnalysis();
