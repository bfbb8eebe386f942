#pragma once

#include <string>

#include "forms/calendar_date.h"

// Amounts, numbers and dates in Chinese capital numerals, as bank forms write them.
namespace tallyra {

// The capital amount text with 元, 角, 分 and 整: 10.5 gives 壹拾元零伍角整. Rounds half up
// to the fen; 0 gives 零; from 10 000 000 000 000 yuan on, and for NaN or infinity, 溢出.
std::string AmountToCapitals(double yuan);

// Capital numerals with position units and hundredths after 点: 1.05 gives 壹点零伍.
std::string NumberToCapitals(double value);

// The issue date as a bill writes it: 2011-11-20 gives 贰零壹壹, 壹拾壹, 零贰拾.
DateTexts DateToCapitals(const Date& date);

}  // namespace tallyra
