#pragma once

#include <string>
#include <vector>

// Amounts written one character per cell, and back. Cell texts run from the highest
// place to the lowest; an empty text is an empty cell.
namespace tallyra {

// The amount in figures of a bank form's digit row: the cells above the last two joined,
// ".", then the last two (角, 分). Empty cells contribute nothing: "5", "", "" gives "5.".
std::string FigureOfCells(const std::vector<std::string>& cells);

// A voucher line's amount in fen: the numeric value of the cells joined. Empty cells close
// the gap (1, "", 5 is 15); a minus sign after a digit ends the number there.
double LineAmountInFen(const std::vector<std::string>& cells);

// A total written as "%.13g" and placed right-aligned into `count` cells, its last
// character in the last cell; the cells left of it stay empty, and a text longer than
// the row shows only its last `count` characters.
std::vector<std::string> TotalIntoCells(double total, std::size_t count);

// Whether TotalIntoCells shows the whole total: false when cells would lose its highest
// places (or its sign).
bool TotalFitsCells(double total, std::size_t count);

// The cash slip's total rounded half up to fen and written with two decimals (353.50).
std::string TwoDecimalText(double total);

// That two-decimal text placed into `count` cells without its point: the last cell gets
// the fen digit, the one before it the jiao digit, then the yuan digits leftward.
std::vector<std::string> TwoDecimalsIntoCells(const std::string& text, std::size_t count);

}  // namespace tallyra
