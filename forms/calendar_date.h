#pragma once

namespace tallyra {

// A calendar date as the forms show it; month 1..12, day 1..31.
struct Date {
  int year = 0;
  int month = 0;
  int day = 0;

  friend bool operator==(const Date&, const Date&) = default;
};

}  // namespace tallyra
