// The engine as the loaded library holds it, on the recording device: what
// the mesh and image targets load into. Assets come from a package that
// holds one entry, the fuzz input, as the game reads them from dados.vpf.
#pragma once

#include <cstddef>
#include <cstdint>

// Starts the engine once; the log goes nowhere, so a long run fills no disk.
void StartRecordingEngine();

// Makes a package of one uncompressed entry of that name holding the bytes
// the current package of the engine's resource module.
void ServeAsOnlyEntry(const char* name, const uint8_t* data, size_t size);
