// targets_local.h: entries kept in files of their own, apart from headers they
// cannot share a translation unit with.
#pragma once

#include <cstddef>
#include <cstdint>

// A ".par" effect definition (particle_target.cpp).
void runParticleDef(const uint8_t* data, size_t size);
