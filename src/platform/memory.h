#pragma once
// How the process takes memory from the system.

// Large blocks (pictures, sounds, file contents) are mapped apart and go back to the system when
// freed. The threshold is held fixed because the C library would raise it after the first large
// block is freed, and later large blocks would then stay, freed but kept, in the heaps of the
// threads that made them (the texture decoders). All threads share two heaps, so what one
// thread frees serves the others. Call once, before any thread.
void SetUpProcessHeap();
