#pragma once

#include <cstdint>

// The box's USB protocol: every command letter and report offset, used by the
// link's clients and by the simulated box alike.
//
// Reports are 65 bytes: byte 0 is the report id (always 0), byte 1 of an
// output report the command letter; every byte a command does not name is 0.
// An input report (answer) carries its payload in bytes 1..64. A request is
// answered by exactly one input report; other commands by none.
//
// Application firmware (product id 2050):
//   'T' set clock      2 year - 2000 (low 8 bits), 3 month 1..12, 4 day 1..31,
//                      5 hour, 6 minute, 7 second, 8 day of week (1 = Sunday)
//   't' read clock     answer 1 year - 2000, 2 month, 3 day, 4 hour, 5 minute,
//                      6 second, 7 day of week, 8/9 today's sunrise hour/minute,
//                      10/11 sunset hour/minute (the box's local time),
//                      12 summer time (non-zero) or winter time (0)
//   'd' read address   answer 1..3 address (MSB first), 4 check byte
//                      255 - (a + b + c) mod 256
//   'D' set address    2..4 address (MSB first); the box computes the check byte
//   'P' 'C' 'E' store a chunk of the programme image, the scene table or the
//                      sun table: 2..3 offset (little-endian), 4 length,
//                      5..64 data (at most 60 bytes)
//   'p' 'c' 'e' read a page of the same: 2..3 offset (little-endian);
//                      answer 1..64 the 64 bytes from that offset
//   'S' run scene      2 scene index 0..15
//   'Z' switch         2 device code, 3 action byte, 4 = 5
//
// Loader firmware (product id 2049), same framing:
//   'B' start of the update, sent twice; no answer
//   'E' erase the application area; no answer
//   'S' answer 1..3: 24-bit sum of the application area, MSB first
//   'F' program a page: 2..3 page address (little-endian); no answer. The
//       next two reports are data: bytes 1..64 = page bytes 0..63, then 64..127
//   'f' select a page to read: 2..3 page address (little-endian)
//   'r' 2..3 the same address; answer 1..64 the next 64 bytes of the page
//   'X' leave the loader and start the application; the box disconnects and
//       comes back
namespace Protocol {

// Application commands.
inline constexpr uint8_t SetClock = 'T';
inline constexpr uint8_t ReadClock = 't';
inline constexpr uint8_t ReadAddress = 'd';
inline constexpr uint8_t SetAddress = 'D';
inline constexpr uint8_t StoreProgramme = 'P';
inline constexpr uint8_t ReadProgramme = 'p';
inline constexpr uint8_t StoreSceneTable = 'C';
inline constexpr uint8_t ReadSceneTable = 'c';
inline constexpr uint8_t StoreSunTable = 'E';
inline constexpr uint8_t ReadSunTable = 'e';
inline constexpr uint8_t RunScene = 'S';
inline constexpr uint8_t Switch = 'Z';

// Loader commands.
namespace Loader {
inline constexpr uint8_t Begin = 'B';
inline constexpr uint8_t Erase = 'E';
inline constexpr uint8_t Sum = 'S';
inline constexpr uint8_t ProgramPage = 'F';
inline constexpr uint8_t SelectPage = 'f';
inline constexpr uint8_t ReadPage = 'r';
inline constexpr uint8_t Restart = 'X';
}  // namespace Loader

// Byte offsets within a 65-byte report.
inline constexpr int CommandByte = 1;
inline constexpr int OffsetByte = 2;  // 2..3, little-endian (also a page address)
inline constexpr int LengthByte = 4;  // of a store chunk
inline constexpr int DataByte = 5;    // first data byte of a store chunk
inline constexpr int AnswerByte = 1;  // first payload byte of an answer
inline constexpr int ChunkSize = 60;  // data bytes in a store chunk
inline constexpr int PageSize = 64;   // payload bytes in an answer

// Clock ('T' and the 't' answer).
inline constexpr int ClockYearByte = 2;      // 'T': 2..8; the answer: 1..7
inline constexpr int AnswerSunriseByte = 8;  // hour, then minute
inline constexpr int AnswerSunsetByte = 10;  // hour, then minute
inline constexpr int AnswerSummerByte = 12;

// Address ('D' and the 'd' answer).
inline constexpr int AddressByte = 2;      // 'D': 2..4
inline constexpr int AnswerCheckByte = 4;  // the 'd' answer: address 1..3, check 4

// Scene ('S') and switch ('Z').
inline constexpr int SceneIndexByte = 2;
inline constexpr int SwitchCodeByte = 2;
inline constexpr int SwitchActionByte = 3;
inline constexpr int SwitchTailByte = 4;
inline constexpr uint8_t SwitchTail = 5;

}  // namespace Protocol
