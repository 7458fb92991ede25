#pragma once

// The program's one random number generator. It has the C runtime's rand() semantics
// (state = state * 214013 + 2531011, result = bits 16..30), starts from state 1 and is never
// seeded, so every launch of the aquarium starts from the same sequence. glibc's rand() is a
// different generator, which is why the program carries its own.

namespace veltamar {

constexpr int CRT_RAND_MAX = 32767;

// Next value in 0..32767.
int crtRand();

// Puts the generator back to a given state (1 is the state of a fresh process). Only tests and
// the benchmark call this, to repeat a sequence.
void crtSrand(unsigned int seed);

}  // namespace veltamar
