#pragma once
// Rounding of the coordinates the JW_CAD import writes: a value is printed
// with 0, 1 or 2 decimals and read back; with 3 or more decimals it is left
// unchanged. The setting lasts as long as the program: it starts at 2 and a
// data file of scale 10 or less raises it to 3 for every later import.
namespace zov {

struct JwImportSettings {
    int decimals = 2;
};

constexpr int kJwUnroundedDecimals = 3;

double round_coordinate(double value, int decimals);

}  // namespace zov
