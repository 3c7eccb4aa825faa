#pragma once

#include "param_record.h"
#include "param_store.h"

#include <string_view>

namespace quorix::core {

inline constexpr int kKindCount = 11;    // menu kinds 0..10
inline constexpr int kCommonBase = 2560; // kind 10: flat address 2560 + n

enum MenuKind : int {
    MusicInput = 0,
    Mic12 = 1,
    Mic34 = 2,
    Effects = 3,
    MainOutput = 4,
    SurroundOutput = 5,
    CentreOutput = 6,
    SubOutput = 7,
    RecordLeft = 8,
    RecordRight = 9,
    Common = 10
};

// A menu kind's address folded into the one flat address the store and the wire use.
constexpr int FlatAddress(int kind, int menuAddress)
{
    return kind * 256 + menuAddress;
}

// First and last flat address that the default layout creates for a kind.
int KindFirst(int kind);
int KindLast(int kind);
// Kinds never moved as blocks: 2, 5, 6 and 9.
bool IsSkippedKind(int kind);
// Kind whose address range holds the address, or -1.
int KindOfAddress(int address);

// The Chinese label of a parameter (UTF-8), empty where it has none.
std::string_view ParamName(int kind, int menuAddress);

// Equaliser band sets by their code: 15, 10, 7, 5 and 51 (the low five-band set).
int BandCount(int bandSet);

// Default layout helpers: each fills the record(s) at `address` and advances it.
void AddParam(ParamStore& store, int mode, int& address, std::int32_t value, bool perMode);
void AddEqBands(ParamStore& store, int mode, int& address, int bandSet, bool perMode);

// Lays out every default of the address map in `store` (cleared first) and copies
// the singing and dance modes into `image`.
void InitParamStore(ParamStore& store, ParamStore& image);

// A store holding the default layout, built once.
const ParamStore& DefaultParamStore();

} // namespace quorix::core
