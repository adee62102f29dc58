#pragma once

#include <QString>
#include <cstdint>

// The box link's process-wide state, as the rest of the program sees it.
// Reports are 65 bytes: byte 0 is the report id (always 0), bytes 1..64 the
// payload; an output report's byte 1 is the command letter.

extern bool BoxConnected;           // a box with the expected firmware is open
extern bool FirmwareUpdateStarted;  // the update window is running
extern QString ProductName;         // "KLV-820"
extern QString ExpectedFirmwareVersion;  // "1.1"
extern int ExpectedProductId;       // 2050
extern QString BoxVersion;          // version of the box last seen, "major.minor"
extern uint8_t OutReport[65];
extern uint8_t InReport[65];

constexpr int ReportSize = 65;

// Writes exactly 65 bytes from `buffer` when BoxConnected; otherwise nothing.
void WriteReport(const uint8_t* buffer, int length = ReportSize);
// Reads one input report into buffer[0..64] (buffer[0] stays 0) when
// BoxConnected, waiting at most the link's time limit. Returns false when no
// box is connected, the box is gone, or no answer came in time; the buffer is
// then left unchanged.
bool ReadReport(uint8_t* buffer);
