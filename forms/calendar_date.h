#pragma once

#include <string>

namespace tallyra {

// A calendar date as the forms show it; month 1..12, day 1..31.
struct Date {
  int year = 0;
  int month = 0;
  int day = 0;

  friend bool operator==(const Date&, const Date&) = default;
};

// A date written as three texts, year, month and day: in capitals or in figures.
struct DateTexts {
  std::string year;
  std::string month;
  std::string day;

  friend bool operator==(const DateTexts&, const DateTexts&) = default;
};

}  // namespace tallyra
