#pragma once
// Variants of the hand-made club files of tests/fixtures/data: one piece of a fixture's text replaced, and
// a table runner that reads such variants into a record and checks one field or the failure.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Writes fixtures/data/<fixture> into folder with every occurrence of find replaced; an empty find writes it
// unchanged. A find that is not in the fixture is a mistake in the test table, not a case.
inline std::filesystem::path EditedFixture(const TTempFolder& folder, const std::string& fixture,
                                           const std::string& find, const std::string& replace) {
  std::string text = ReadWholeFile(FixturePath("data/" + fixture));
  if (!find.empty()) {
    size_t at = text.find(find);
    if (at == std::string::npos) throw std::logic_error("'" + find + "' is not in " + fixture);
    for (; at != std::string::npos; at = text.find(find, at + replace.size())) text.replace(at, find.size(), replace);
  }
  const std::filesystem::path path = folder / fixture;
  WriteWholeFile(path, text);
  return path;
}

// One variant of a fixture: reading it either fails with Error (the exception's exact message), leaving the
// record untouched, or succeeds with Field == Expected.
template <typename TRecord, typename TValue>
struct TFieldCase {
  const char* What;
  std::string Find;
  std::string Replace;
  TValue TRecord::*Field;
  TValue Expected;
  std::string Error;  // empty when the read succeeds
};

template <typename TRecord, typename TValue>
void RunFieldCases(const std::string& fixture, const std::vector<TFieldCase<TRecord, TValue>>& cases,
                   const std::function<std::unique_ptr<TRecord>()>& make = [] {
                     return std::make_unique<TRecord>();
                   }) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TTempFolder folder;
    // A fresh record, so that any value a failing read took over before it failed would show.
    auto record = make();
    std::unique_ptr<TRecord> before = make();
    const auto path = EditedFixture(folder, fixture, c.Find, c.Replace);
    if (c.Error.empty()) {
      EXPECT_NO_THROW(record->Read(path));
      EXPECT_EQ((*record).*c.Field, c.Expected);
    } else {
      try {
        record->Read(path);
        ADD_FAILURE() << "reading did not fail";
      } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), c.Error);
      }
      EXPECT_TRUE(*record == *before) << "a failed read changed the record";
    }
  }
}
