#pragma once

#include <cstddef>

// The processor's own table of its memory: for each menu kind, how many records
// it holds and which of them are equaliser bands. A band travels as 8 bytes
// (shape, slope, frequency, gain, Q), any other record as one 2-digit value.
namespace quorix::sim::layout {

inline constexpr int kKindCount = 11;
inline constexpr int kModeKinds = 8; // kinds 0..7 have a singing and a dance set
inline constexpr std::size_t kBandSize = 8;
inline constexpr std::size_t kValueSize = 2;

bool IsKind(int kind);
bool IsGlobalKind(int kind);
// Kinds 2, 5, 6 and 9 are only ever written one parameter at a time.
bool IsBlockKind(int kind);
int RecordCount(int kind);
bool IsRecord(int kind, int menuAddress);
bool IsBand(int kind, int menuAddress);
// Size and position of a record inside its kind's block; the record must exist.
std::size_t RecordSize(int kind, int menuAddress);
std::size_t RecordOffset(int kind, int menuAddress);
std::size_t BlockSize(int kind);

} // namespace quorix::sim::layout
