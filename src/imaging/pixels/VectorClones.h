// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Private to the imaging layer. Marks a hot loop to be compiled once per x86-64 feature level
// (AVX-512, AVX2, baseline) with the best copy chosen when the program starts; elsewhere the loop
// is compiled once, for the target. Clang (the fuzzing build) cannot clone function templates, so
// it compiles them once too.
#if defined(__x86_64__) && !defined(__clang__)
#define QUORVEL_VECTOR_CLONES \
    __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define QUORVEL_VECTOR_CLONES
#endif
