#pragma once
// What every fuzz target shares: the input as text, and the one check a target makes. A reader either
// loads its record or raises the reader's error (the program's exception types); any other exception is a
// finding and aborts, so that libFuzzer keeps the input and the replay test fails on it.
#include "core/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <typeinfo>

inline std::string_view FuzzText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

template <class F>
void ExpectLoadedOrReaderError(F&& read) {
  try {
    read();
  } catch (const EPitchbookError&) {
    // The reader refused the input with its own message: the outcome the program handles.
  } catch (const std::exception& e) {
    std::fprintf(stderr, "finding: %s escaped the reader: %s\n", typeid(e).name(), e.what());
    std::abort();
  } catch (...) {
    std::fprintf(stderr, "finding: an exception of unknown type escaped the reader\n");
    std::abort();
  }
}

// A finding other than an exception: a loaded record that breaks what the reader promises.
inline void ExpectThat(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}
