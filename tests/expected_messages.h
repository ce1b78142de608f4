// The program's seven message boxes as the tests expect them, caption and text, written out
// independently of the program; two-line texts are joined by CR LF as a message box shows them.
#pragma once

struct ExpectedMessage {
  const char* caption;
  const char* text;
};

inline constexpr ExpectedMessage BAD_DIMENSIONS_MESSAGE = {
    "Invalid data", "Diameter and Height must be numbers greater than zero"};
inline constexpr ExpectedMessage TOO_FLAT_MESSAGE = {
    "Invalid data",
    "Diameter/Height ratio must be less than 10.\r\n   Reduce diameter or increase height"};
inline constexpr ExpectedMessage TOO_LONG_MESSAGE = {
    "Invalid data",
    "Ratio of Height/Diameter must be less than 10.\r\n  Increase diameter or reduce height"};
inline constexpr ExpectedMessage TOO_FEW_TURNS_MESSAGE = {
    "Invalid data", "# of turns has been set to 2 (minimum legal value)"};
inline constexpr ExpectedMessage TOO_MANY_TURNS_MESSAGE = {"Invalid data",
                                                           "Number of turns must be 16384 or less"};
inline constexpr ExpectedMessage INDUCTANCE_TOO_LARGE_MESSAGE = {
    "Invalid data", "Number in inductance box must be\r\nless than 65536"};
inline constexpr ExpectedMessage NO_SOLUTION_MESSAGE = {
    "Invalid Data", "# of turns being asked for is out of range."};

inline constexpr ExpectedMessage ALL_MESSAGES[] = {
    BAD_DIMENSIONS_MESSAGE, TOO_FLAT_MESSAGE,       TOO_LONG_MESSAGE,
    TOO_FEW_TURNS_MESSAGE,  TOO_MANY_TURNS_MESSAGE, INDUCTANCE_TOO_LARGE_MESSAGE,
    NO_SOLUTION_MESSAGE};
