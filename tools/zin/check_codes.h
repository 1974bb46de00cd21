// The codes of zin check: one row per code, walked by the checker, the README
// table and the tests.
#pragma once

#include <cstring>

namespace ZinTool {

/// How a message of the library is recognised: it starts with prefix and ends with
/// suffix (either may be empty).
struct CMessagePattern {
  const char* prefix;
  const char* suffix;
};

/// A finding's code. Codes never change meaning; new findings get new codes.
struct CCheckCode {
  const char* code;
  const char* severity;  // "error": the file does not read; "warning": it reads, with a flaw
  const char* name;
  const char* meaning;
  CMessagePattern patterns[2];  // the library messages it stands for; none for the tool's own checks
};

// clang-format off
inline constexpr CCheckCode kCheckCodes[] = {
  {"ZIN-E001", "error",   "cannot-open",       "the file cannot be opened",                                   {}},
  {"ZIN-E002", "error",   "not-zin",           "no ZIN header: not a ZIN file",                               {{"Not a valid zin file", ""}}},
  {"ZIN-E003", "error",   "invalid-label",     "an enumeration attribute holds no known label",               {{"Invalid label (", ""}}},
  {"ZIN-E004", "error",   "missing-element",   "an element or attribute the reader needs is missing",         {{"", " (pointer is NULL)"}, {"", "NULL ptr"}}},
  {"ZIN-E099", "error",   "unreadable",        "the read failed for another reason",                          {}},
  {"ZIN-W101", "warning", "clipped-value",     "a value was out of range and was clipped",                    {{"Method ", " has clipped a value out of range."}}},
  {"ZIN-W102", "warning", "geometry-count",    "a geometry block announces an unlikely count",                {{"Numbers of ", " seems wrong"}}},
  {"ZIN-W103", "warning", "non-finite-number", "a coordinate is NaN or infinite (read as 1e30)",              {{"NaN double.", ""}, {"INF double.", ""}}},
  {"ZIN-W104", "warning", "polygon-type",      "a polygon has an unknown type letter (read as flat)",         {{"Polygon type unknown", ""}}},
  {"ZIN-W105", "warning", "data-block",        "a data block could not be read",                              {{"Error \"", "' data block"}, {"Unknownm exception while parsing '", "' data block"}}},
  {"ZIN-W106", "warning", "unknown-node",      "a material node of an unknown kind",                          {{"Node is unknown", ""}, {"CZinTCE::createNode - ", ""}}},
  {"ZIN-W199", "warning", "other-warning",     "any other warning of the reader",                             {}},
  {"ZIN-W201", "warning", "point-index",       "a polygon vertex names a point outside the geometry's points", {}},
  {"ZIN-W202", "warning", "dangling-id",       "an id names no object of the file",                           {}},
  {"ZIN-W203", "warning", "duplicate-id",      "two objects carry the same id",                               {}},
  {"ZIN-W204", "warning", "older-form",        "a value is written in an older form",                         {}},
};
// clang-format on

/// The row of a code by its text ("ZIN-W101") or name ("clipped-value"); null when none.
inline const CCheckCode* FindCheckCode(const char* text) {
  for (const CCheckCode& row : kCheckCodes)
    if (std::strcmp(text, row.code) == 0 || std::strcmp(text, row.name) == 0) return &row;
  return nullptr;
}

}  // namespace ZinTool
