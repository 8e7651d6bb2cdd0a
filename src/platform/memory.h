#pragma once
// How the process takes memory from the system.

// Large blocks (pictures, sounds, file contents) are mapped apart and go back to the system when
// freed. Without this the C library raises its threshold after the first large block is freed
// and keeps later ones in the heaps of the threads that made them (the texture decoders), which
// kept the game some twenty megabytes larger for its whole run. Call once, before any thread.
void ReturnLargeBlocksToTheSystem();
