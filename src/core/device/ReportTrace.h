#pragma once

#include <QString>
#include <cstdint>

// One trace line for a report crossing the box link: "> " for a written
// report, "< " for a read one, then its 65 bytes as lower-case hex pairs
// separated by blanks (byte 0 first); "< timeout" for a read that timed out
// (null `report`). No line end.
QString ReportTraceLine(bool written, const uint8_t* report);
