#pragma once
// The 3D noise texture gNoiseVolumeTexture, made from "data\tex\noisevolume.dds" at start-up: the
// menu water's program drifts through it and the espionage window's "no signal" picture shows it.

// Makes the texture on unit 1 and goes back to unit 0. A volume the data set does not hold, or
// one that does not load, throws ETarnovaError naming the file.
void CreateNoiseVolume();
// Frees it while the GL context still exists.
void FreeNoiseVolume();
