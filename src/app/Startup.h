#pragma once

#include <cstdint>

class frmMain;

extern std::int16_t intCoBrandRandomNumber;

// The program's entry once the QApplication exists: puts the desktop's
// services in force, then runs the start-up steps.
void StartApplication();
// The start-up steps with whatever services are in force.
void RunStartup();

// r in [0, 1) to 1..7: r * 6 + 1 in single precision, halves to even.
std::int16_t CoBrandNumber(float r);
void CoBrand_Randomize(frmMain &window);
